#include "base/screen_work.h"

#include <exception>

#include "base/refusal.h"
#include "data/db_error.h"

namespace qj::base {

bool ReportFailures(HostServices& host, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const data::DbError& error) {
    host.EDBEngineErrorHandler(error);
  } catch (const std::exception& error) {
    host.ShowMsgBox(error.what(), caption::Failure, msgbox::IconError);
  }
  return false;
}

}  // namespace qj::base
