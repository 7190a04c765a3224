#include "periodend/exchange_adjustment.h"

#include <algorithm>
#include <set>
#include <utility>

#include "balances/balance_store.h"
#include "base/currency_ids.h"
#include "base/host_lock.h"
#include "base/screen_work.h"
#include "periodend/carry_forward.h"
#include "periodend/exchange_rate_store.h"
#include "periodend/machine_voucher.h"
#include "periodend/month_status_queries.h"
#include "periodend/posting.h"
#include "subjects/subject_store.h"
#include "vouchers/currencies.h"
#include "vouchers/voucher_batch.h"

namespace qj::periodend {
namespace {

// The month's foreign-currency rows of detail subjects in code order, each
// with its currency's rate as the book now holds it.
std::vector<ForeignBalance> foreignBalances(data::Connection& db, const Period& month) {
  const vouchers::Currencies currencies = vouchers::Currencies::load(db);
  std::map<std::string, bool> detail;
  std::vector<ForeignBalance> rows;
  for (const auto& [key, row] : balances::ReadMonthBalances(db, month)) {
    if (!base::IsForeignCurrency(key.first)) continue;
    auto known = detail.find(key.second);
    if (known == detail.end()) {
      const auto subject = subjects::FindSubject(db, key.second);
      known = detail.emplace(key.second, subject && subject->detail).first;
    }
    if (!known->second) continue;
    const vouchers::Currency* currency = currencies.find(static_cast<int>(key.first));
    rows.push_back({key.second, static_cast<int>(key.first), currency ? currency->rate : Money(), row.endRawDebit,
                    row.endRawCredit, row.endDebit, row.endCredit});
  }
  std::ranges::sort(rows, {}, [](const ForeignBalance& row) { return std::make_pair(row.subject, row.moneyId); });
  return rows;
}

std::optional<Refusal> gainLossRefusal(data::Connection& db, const std::string& code) {
  const auto subject = code.empty() ? std::nullopt : subjects::FindSubject(db, code);
  if (!subject) return Refusal{"汇兑损益科目不存在，\r\n\r\n不能进行期末调汇"};
  if (!subject->detail) return Refusal{"汇兑损益科目为非明细科目，\r\n\r\n不能进行期末调汇"};
  return std::nullopt;
}

// Every currency a balance is restated in needs a rate above 0: a zero rate
// would value its balances at nothing.
std::optional<Refusal> rateRefusal(const std::vector<ForeignBalance>& rows) {
  std::set<int> refused;
  for (const ForeignBalance& row : rows)
    if (row.rate <= Money()) refused.insert(row.moneyId);
  if (refused.empty()) return std::nullopt;
  std::string which;
  for (int moneyId : refused) which += (which.empty() ? "" : "、") + std::to_string(moneyId);
  return Refusal{std::string(kRateRefused) + "（币种 " + which + "）"};
}

}  // namespace

std::optional<vouchers::CheckedVoucher> BuildExchangeAdjustment(const std::vector<ForeignBalance>& rows,
                                                                const AdjustmentSetting& setting) {
  vouchers::CheckedVoucher voucher;
  voucher.header = MachineVoucherHeader(setting.typeId, setting.date, kExchangeAdjustmentKind);
  voucher.header.checked = !setting.auditor.empty();
  voucher.header.billCheck = setting.auditor;

  Money total;
  for (const ForeignBalance& row : rows) {
    const Money rawNet = TruncateCurrency(row.endRawDebit - row.endRawCredit);
    const Money net = TruncateCurrency(row.endDebit - row.endCredit);
    const Money target = TruncateCurrency(rawNet.times(row.rate));
    const Money difference = target - net;
    if (difference.isZero()) continue;
    total += difference;
    vouchers::VoucherLine line = MachineLine(kAdjustmentSummary, row.subject, row.moneyId, row.rate);
    (difference < Money() ? line.credit : line.debit) = difference.abs();
    voucher.lines.push_back(std::move(line));
  }
  if (voucher.lines.empty()) return std::nullopt;
  vouchers::VoucherLine balancing = MachineLine(kAdjustmentSummary, setting.gainLossSubject, 0, Money::fromInteger(1));
  (total < Money() ? balancing.debit : balancing.credit) = total.abs();
  voucher.lines.push_back(std::move(balancing));
  return voucher;
}

std::optional<AdjustmentOutcome> RunExchangeAdjustment(HostServices& host, const std::map<int, Money>& rates,
                                                       const std::string& gainLossSubject, bool postAtOnce) {
  for (const auto& [moneyId, rate] : rates)
    if (rate <= Money()) return Refuse(host, {kRateRefused});
  const base::HostLock lock(host, base::kLedgerLock);
  if (!lock) return Refuse(host, {kAdjustmentLockRefused, host.asProductionName()});
  data::Connection& db = host.FindStartupDB();
  const AccountBooksData& book = host.accountBooksData();
  const Period month{book.CurrYear, book.CurrMon};
  AdjustmentOutcome outcome;
  std::optional<Refusal> refused;
  const bool ran = base::ReportFailures(host, [&] {
    if (CountMonthVouchers(db, month, false).unposted > 0) {
      refused = Refusal{kAdjustmentUnposted, caption::Info};
      return;
    }
    if ((refused = gainLossRefusal(db, gainLossSubject))) return;
    data::Transaction tx(db);
    for (const auto& [moneyId, rate] : rates) {
      if (!StorePeriodEndRate(db, moneyId, rate)) {
        refused = Refusal{"帐套中没有编号为 " + std::to_string(moneyId) + " 的外币"};
        return;  // the transaction rolls back
      }
    }
    const auto rows = foreignBalances(db, month);
    if ((refused = rateRefusal(rows))) return;
    const AdjustmentSetting setting{month.lastDay(), MachineVoucherType(book.AccountVoucherType), gainLossSubject,
                                    postAtOnce ? host.asUserName() : std::string()};
    if (auto voucher = BuildExchangeAdjustment(rows, setting)) {
      std::vector<vouchers::CheckedVoucher> made{std::move(*voucher)};
      if ((refused = vouchers::WriteNewVouchers(db, made))) return;
      outcome.credId = made.front().header.credId;
    }
    tx.commit();
  });
  if (!ran) return std::nullopt;
  if (refused) return Refuse(host, *refused);
  if (!postAtOnce || !outcome.credId) return outcome;
  // The voucher stands; a failure of its posting is told as such.
  outcome.postingFailure = PostMadeVouchers(
      "期末调汇", [&] { outcome.posted = PostVouchers(db, PostingContextOf(host), {*outcome.credId}) == 1; });
  return outcome;
}

}  // namespace qj::periodend
