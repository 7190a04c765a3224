#include "periodend/carry_forward.h"

#include <algorithm>
#include <map>
#include <utility>

#include "balances/balance_store.h"
#include "base/currency_ids.h"
#include "base/host_lock.h"
#include "base/screen_work.h"
#include "periodend/machine_voucher.h"
#include "periodend/month_status_queries.h"
#include "periodend/posting.h"
#include "subjects/subject_store.h"
#include "vouchers/voucher_batch.h"

namespace qj::periodend {
namespace {

// One pass: a line per row, then the balancing line on the profit subject,
// first in the voucher. The line counts run on from the pass before.
struct PassCounts {
  int debitLines = 0;
  int creditLines = 0;
};

std::optional<vouchers::CheckedVoucher> buildPass(const std::vector<const ProfitLossBalance*>& rows,
                                                  const CarrySetting& setting, PassCounts& counts) {
  if (rows.empty()) return std::nullopt;
  vouchers::CheckedVoucher voucher;
  voucher.header = MachineVoucherHeader(setting.typeId, setting.date, kCarryForwardKind);

  Money total;
  std::vector<vouchers::VoucherLine> lines;
  for (const ProfitLossBalance* row : rows) {
    const Money net = row->endCredit - row->endDebit;
    total += net;
    const bool foreign = base::IsForeignCurrency(row->moneyId);
    const Money rawNet = foreign ? row->endRawCredit - row->endRawDebit : Money();
    const Money rate = rawNet.isZero() ? Money::fromInteger(1) : net.dividedBy(rawNet);
    vouchers::VoucherLine line = MachineLine(kCarrySummary, row->subject, row->moneyId, rate);
    // A debit of x is a credit of -x: the side follows the mode, the signed
    // amount is the same.
    const bool onDebit = setting.direction == CarryDirection::OppositeToSubject ? !row->debitSide : net > Money();
    const Money amount = onDebit ? net : -net;
    const Money rawAmount = onDebit ? rawNet : -rawNet;
    (onDebit ? line.debit : line.credit) = amount;
    line.foreignAmount = rawAmount;
    line.foreignSide = foreign ? (onDebit ? vouchers::ForeignSide::Debit : vouchers::ForeignSide::Credit)
                               : vouchers::ForeignSide::None;
    ++(onDebit ? counts.debitLines : counts.creditLines);
    lines.push_back(std::move(line));
  }

  vouchers::VoucherLine balancing = MachineLine(kCarrySummary, setting.profitSubject, 0, Money::fromInteger(1));
  if (counts.debitLines > 0 && counts.creditLines > 0) {
    if (total > Money()) balancing.credit = total;
    if (total < Money()) balancing.debit = -total;
  } else if (counts.debitLines == 0) {
    balancing.debit = -total;
  } else {
    balancing.credit = total;
  }
  if (!balancing.debit.isZero() || !balancing.credit.isZero()) lines.insert(lines.begin(), std::move(balancing));
  voucher.lines = std::move(lines);
  return voucher;
}

// Why the run cannot start; nothing when it can.
std::optional<Refusal> carryRefusal(data::Connection& db, const Period& month, const std::string& profitSubject) {
  if (CountMonthVouchers(db, month, false).unposted > 0) return Refusal{kCarryUnposted, caption::Info};
  if (profitSubject.empty()) return ErrorRefusal("帐套没有设置本年利润科目（保留科目 16），不能结转本期损益。");
  const auto subject = subjects::FindSubject(db, profitSubject);
  if (!subject) return ErrorRefusal("本年利润科目 " + profitSubject + " 不存在，不能结转本期损益。");
  if (!subject->detail) return ErrorRefusal("本年利润科目 " + profitSubject + " 不是明细科目，不能结转本期损益。");
  return std::nullopt;
}

}  // namespace

std::string CurrentYearProfitSubject(HostServices& host) {
  const ReservedSubjects& reserved = host.ReservedSub();
  const auto profit = reserved.find(kCurrentYearProfitEntry);
  return profit == reserved.end() ? std::string() : profit->second;
}

std::vector<ProfitLossBalance> ProfitLossBalances(data::Connection& db, const Period& month) {
  std::map<std::string, bool> debitSideOf;
  for (const subjects::Subject& subject : subjects::ClassSubjects(db, kProfitLossClass))
    if (subject.detail) debitSideOf.emplace(subject.code, subject.debit);
  std::vector<ProfitLossBalance> rows;
  for (const auto& [key, row] : balances::ReadMonthBalances(db, month)) {
    const auto subject = debitSideOf.find(key.second);
    if (subject == debitSideOf.end() || key.first >= base::kAllCurrencies) continue;
    if (row.endDebit.isZero() && row.endCredit.isZero()) continue;
    rows.push_back({key.second, static_cast<int>(key.first), subject->second, row.endDebit, row.endCredit,
                    row.endRawDebit, row.endRawCredit});
  }
  std::ranges::sort(rows, {}, [](const ProfitLossBalance& row) { return std::make_pair(row.subject, row.moneyId); });
  return rows;
}

std::vector<vouchers::CheckedVoucher> BuildCarryForwardVouchers(const std::vector<ProfitLossBalance>& rows,
                                                                const CarrySetting& setting) {
  std::vector<const ProfitLossBalance*> creditEnding;
  std::vector<const ProfitLossBalance*> debitEnding;
  for (const ProfitLossBalance& row : rows) {
    if (!row.endCredit.isZero()) creditEnding.push_back(&row);
    if (!row.endDebit.isZero()) debitEnding.push_back(&row);
  }
  PassCounts counts;
  std::vector<vouchers::CheckedVoucher> made;
  for (const auto* pass : {&creditEnding, &debitEnding})
    if (auto voucher = buildPass(*pass, setting, counts)) made.push_back(std::move(*voucher));
  return made;
}

std::optional<CarryOutcome> RunCarryForward(HostServices& host, CarryDirection direction, bool postAtOnce) {
  const base::HostLock lock(host, base::kLedgerLock);
  if (!lock) return Refuse(host, {kCarryLockRefused, host.asProductionName()});
  data::Connection& db = host.FindStartupDB();
  const AccountBooksData& book = host.accountBooksData();
  const Period month{book.CurrYear, book.CurrMon};
  const std::string profitSubject = CurrentYearProfitSubject(host);
  CarryOutcome outcome;
  std::optional<Refusal> refused;
  const bool ran = base::ReportFailures(host, [&] {
    if ((refused = carryRefusal(db, month, profitSubject))) return;
    const CarrySetting setting{month.lastDay(), MachineVoucherType(book.AccountVoucherType), profitSubject, direction};
    auto made = BuildCarryForwardVouchers(ProfitLossBalances(db, month), setting);
    if ((refused = vouchers::WriteNewVouchers(db, made))) return;
    for (const auto& voucher : made) outcome.credIds.push_back(voucher.header.credId);
  });
  if (!ran) return std::nullopt;
  if (refused) return Refuse(host, *refused);
  if (!postAtOnce || outcome.credIds.empty()) return outcome;
  // The vouchers stand; a failure of the posting is told as such.
  outcome.postingFailure = PostMadeVouchers("结转本期损益", [&] {
    data::Transaction tx(db);
    outcome.posted = PostCurrentPeriod(db, PostingContextOf(host));
    tx.commit();
  });
  return outcome;
}

}  // namespace qj::periodend
