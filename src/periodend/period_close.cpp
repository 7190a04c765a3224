#include "periodend/period_close.h"

#include <map>
#include <vector>

#include "balances/balance_store.h"
#include "balances/movements.h"
#include "balances/period_roll_store.h"
#include "balances/profit_loss_store.h"
#include "base/book_state_store.h"
#include "base/host_lock.h"
#include "base/screen_work.h"
#include "periodend/carry_forward.h"
#include "periodend/month_status_queries.h"
#include "periodend/period_close_queries.h"
#include "periodend/posting.h"
#include "periodend/posting_store.h"
#include "vouchers/voucher_store.h"

namespace qj::periodend {
namespace {

// The carry-forward vouchers move each profit-and-loss subject against its
// natural side, so a line's debit is income (CREDIT) and its credit an
// expense (DEBIT), for the subject and every ancestor.
void recordProfitAndLoss(data::Connection& db, const PeriodContext& context) {
  if (context.profitSubject.empty()) return;
  std::map<std::string, balances::ProfitLossFigures> figures;
  for (const SubjectLineSum& sum : CarriedProfitLossSums(db, context.period, context.profitSubject, kProfitLossClass)) {
    std::string code = sum.subject;
    while (true) {
      balances::ProfitLossFigures& figure = figures[code];
      figure.credit += sum.debit;
      figure.debit += sum.credit;
      const std::string parent = context.structure.parentOf(code);
      if (parent == code) break;
      code = parent;
    }
  }
  balances::AddProfitAndLossFigures(db, context.period, figures);
}

// Takes the month's posted carry-forward vouchers out of its balances.
void unbookCarryVouchers(data::Connection& db, const PeriodContext& context, const Period& month) {
  auto movements = SpreadMovements(PostedSumsOfKind(db, month, kCarryForwardKind), context.structure);
  for (auto& [key, movement] : movements)
    movement = {-movement.debit, -movement.credit, -movement.rawDebit, -movement.rawCredit};
  balances::ApplyMovements(db, month, movements);
  balances::DeleteEmptyBalanceRows(db, month);
}

template <class Work>
bool underBookLock(HostServices& host, Work work) {
  const base::HostLock lock(host, base::kBookLock);
  if (!lock) {
    Show(host, {kCloseLockRefused, host.asProductionName()});
    return false;
  }
  data::Connection& db = host.FindStartupDB();
  bool done = false;
  base::ReportFailures(host, [&] {
    data::Transaction tx(db);
    if (auto refusal = work(db)) {
      Show(host, *refusal);
      return;  // the transaction rolls back
    }
    tx.commit();
    done = true;
  });
  if (!done) return false;
  // The book record and the caption follow what was committed.
  host.ReloadAccountBooksData();
  host.GlobalCall("SetMainCaption", "", nullptr);
  return true;
}

}  // namespace

PeriodContext PeriodContextOf(HostServices& host) {
  const AccountBooksData& book = host.accountBooksData();
  PeriodContext context{Period{book.CurrYear, book.CurrMon},
                        Period{book.StartYear, book.StartMonth},
                        base::CodeStructure(book.SubjectLevelLen),
                        book.NeedCarryPL,
                        CurrentYearProfitSubject(host),
                        std::nullopt};
  if (book.LinkInventory) context.inventoryPeriod = Period{book.InventoryYear, book.InventoryMonth};
  return context;
}

std::optional<Refusal> ClosePeriod(data::Connection& db, const PeriodContext& context) {
  const Period month = context.period;
  // The inventory module closes its month first.
  if (context.inventoryPeriod && !(month < *context.inventoryPeriod)) return Refusal{kInventoryNotClosed};
  const MonthVoucherCounts counts = CountMonthVouchers(db, month, false);
  if (counts.unposted > 0) {
    return Refusal{"本期尚有" + std::to_string(counts.unposted) + "张凭证未登帐，其中" +
                       std::to_string(counts.unpostedUnaudited) + "张是未审核过的，不能进行结帐",
                   caption::Info};
  }
  if (context.needCarry && !ProfitLossBalances(db, month).empty()) return Refusal{kProfitLossLeft, caption::Info};
  data::Transaction tx(db);
  recordProfitAndLoss(db, context);
  balances::RollProfitAndLoss(db, month);
  balances::RollBalancesForward(db, month);
  balances::RollFixedAssetSurplus(db, month);
  base::SetCurrentPeriod(db, month.next());
  tx.commit();
  return std::nullopt;
}

bool RunPeriodClose(HostServices& host) {
  const PeriodContext context = PeriodContextOf(host);
  return underBookLock(host, [&](data::Connection& db) { return ClosePeriod(db, context); });
}

std::optional<Refusal> ReopenPreviousPeriod(data::Connection& db, const PeriodContext& context,
                                            bool deleteCarryVouchers) {
  const Period month = context.period;
  if (!(context.start < month)) return Refusal{kBeforeStart};
  if (CountDisposalsFrom(db, month.firstDay()) > 0) return Refusal{kDisposalsInPeriod};
  data::Transaction tx(db);
  vouchers::DeleteVouchersOfKindAndBill(db, balances::kDepreciationVoucherKind, month.year * 100 + month.month);
  UnmarkMonthPosted(db, month);
  balances::DeleteMonthPeriodRows(db, month);
  const Period previous = month.previous();
  if (deleteCarryVouchers) {
    unbookCarryVouchers(db, context, previous);
    vouchers::DeleteMonthVouchersOfKind(db, previous, kCarryForwardKind);
  }
  base::SetCurrentPeriod(db, previous);
  // The reopened month's profit and loss as it stood before its close.
  if (previous == context.start)
    balances::RebuildStartProfitAndLoss(db, context.structure, previous);
  else
    balances::RollProfitAndLoss(db, previous.previous());
  tx.commit();
  return std::nullopt;
}

bool RunReopenPeriod(HostServices& host, bool deleteCarryVouchers) {
  const PeriodContext context = PeriodContextOf(host);
  if (!(context.start < context.period)) {
    Show(host, {kBeforeStart});
    return false;
  }
  // Asked before anything is locked or written.
  if (balances::HasDepreciationVoucher(host.FindStartupDB(), context.period) &&
      host.ShowMsgBox(kDepreciationQuestion, caption::Warning, msgbox::AskYesNo) != msgbox::IdYes)
    return false;
  return underBookLock(host,
                       [&](data::Connection& db) { return ReopenPreviousPeriod(db, context, deleteCarryVouchers); });
}

}  // namespace qj::periodend
