#include "vouchers/screen_work.h"

#include <exception>

#include "data/db_error.h"
#include "package/refusal.h"

namespace qj::vouchers {

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

}  // namespace qj::vouchers
