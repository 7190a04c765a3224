#include "subjects/opening_session.h"

#include "base/book_state_store.h"
#include "base/host_lock.h"

namespace qj::subjects {
namespace {

bool inStartPeriod(HostServices& host) {
  if (base::IsStartPeriod(host.FindStartupDB(), host.accountBooksData())) return true;
  host.ShowMsgBox(kStartPeriodMessage, host.asProductionName() + "提示", msgbox::Ok);
  return false;
}

}  // namespace

bool RunOpeningSession(HostServices& host, OpeningEntry entry, const std::function<void()>& show) {
  if (entry == OpeningEntry::FirstTime) {
    const base::HostLock lock(host, base::kBookLock, true);
    if (!lock) {
      host.AppShowMessage(kInitialisationLockedMessage);
      return false;
    }
    show();
    return true;
  }
  if (!inStartPeriod(host)) return false;
  const base::HostLock lock(host, base::kLedgerLock);
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
