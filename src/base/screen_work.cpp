#include "base/screen_work.h"

#include <exception>

#include "data/db_error.h"
#include "hostapi/refusal.h"

namespace qj::base {

bool ReportFailures(HostServices& host, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const data::DbError& error) {
    host.EDBEngineErrorHandler(error);
  } catch (const std::exception& error) {
    Show(host, FailureRefusal(error));
  }
  return false;
}

}  // namespace qj::base
