#include "periodend/unposting.h"

#include "balances/asset_surplus_store.h"
#include "balances/period_roll_store.h"
#include "base/host_lock.h"
#include "base/screen_work.h"
#include "data/period.h"
#include "hostapi/refusal.h"
#include "periodend/posting_store.h"

namespace qj::periodend {
std::int64_t UnpostCurrentPeriod(data::Connection& db, const base::CodeStructure& structure,
                                 const AccountBooksData& book) {
  const Period period{book.CurrYear, book.CurrMon};
  if (DepreciationVoucherPosted(db, period)) {
    balances::UnbookMonthDepreciation(db, period);
  }
  const std::int64_t vouchers = UnmarkMonthPosted(db, period);
  balances::RebuildPeriodBalances(db, structure, book, period);
  return vouchers;
}

bool RunUnposting(HostServices& host) {
  const base::HostLock lock(host, base::kLedgerLock);
  if (!lock) {
    Show(host, {kUnpostingLockedMessage, host.asProductionName()});
    return false;
  }
  host.ReloadAccountBooksData();  // another user may have closed the period before the lock was ours
  const AccountBooksData& book = host.accountBooksData();
  const bool done = base::ReportFailures(host, [&] {
    data::Connection& db = host.FindStartupDB();
    data::Transaction tx(db);
    UnpostCurrentPeriod(db, base::CodeStructure(book.SubjectLevelLen), book);
    tx.commit();
  });
  if (done) host.ShowMsgBox(kUnpostedMessage, caption::Info, msgbox::IconInformation);
  return done;
}

}  // namespace qj::periodend
