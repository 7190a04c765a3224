#include "periodend/unposting.h"

#include "balances/period_balances.h"
#include "base/host_lock.h"
#include "base/refusal.h"
#include "base/screen_work.h"
#include "data/period.h"

namespace qj::periodend {
namespace {

bool depreciationPosted(data::Connection& db, const Period& period) {
  return db
      .queryOne(
          "SELECT CREDID FROM VoucherMaster WHERE AccountVoucherType=:kind AND RELEVANTBILLID=:bill AND "
          "POSTFLAG=:posted LIMIT 1",
          {{"kind", balances::kDepreciationVoucherKind}, {"bill", period.year * 100 + period.month}, {"posted", "T"}})
      .has_value();
}

}  // namespace

std::int64_t UnpostCurrentPeriod(data::Connection& db, const base::CodeStructure& structure,
                                 const AccountBooksData& book) {
  const Period period{book.CurrYear, book.CurrMon};
  if (depreciationPosted(db, period)) {
    db.execute(
        "UPDATE FixedAssetsSurplus SET DPRCREDIT=0, YDPRCREDIT=COALESCE(YDPRCREDIT, 0)-DEPRVALUE "
        "WHERE YEARMON=:ym AND COALESCE(DEPRVALUE, 0)<>0",
        {{"ym", period.text()}});
  }
  const VoucherIdRange range = MonthVoucherRange(period);
  const std::int64_t vouchers =
      db.execute("UPDATE VoucherMaster SET POSTFLAG=:unposted, BILLPOST=:poster WHERE CREDID BETWEEN :first AND :last",
                 {{"unposted", "F"}, {"poster", ""}, {"first", range.first}, {"last", range.last}});
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
