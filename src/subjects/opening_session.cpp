#include "subjects/opening_session.h"

#include "package/book_state.h"
#include "package/host_lock.h"

namespace qj::subjects {
namespace {

bool inStartPeriod(HostServices& host) {
  if (package::IsStartPeriod(host.FindStartupDB(), host.accountBooksData())) return true;
  host.ShowMsgBox(kStartPeriodMessage, host.asProductionName() + "提示", msgbox::Ok);
  return false;
}

}  // namespace

bool RunOpeningSession(HostServices& host, OpeningEntry entry, const std::function<void()>& show) {
  if (entry == OpeningEntry::FirstTime) {
    const package::HostLock lock(host, "ACCLOCK", true);
    if (!lock) {
      host.AppShowMessage(kInitialisationLockedMessage);
      return false;
    }
    show();
    return true;
  }
  if (!inStartPeriod(host)) return false;
  const package::HostLock lock(host, "CREDLOCK");
  if (!lock) {
    host.ShowMsgBox(kAdjustmentLockedMessage, host.asProductionName(), msgbox::Ok);
    return false;
  }
  host.ReloadAccountBooksData();  // another user may have closed the period meanwhile
  if (!inStartPeriod(host)) return false;
  show();
  return true;
}

}  // namespace qj::subjects
