#include "ledgers/general_ledger.h"

#include <algorithm>
#include <map>

#include "balances/balance_span_store.h"
#include "ledgers/ledger_queries.h"
#include "ledgers/ledger_row.h"

namespace qj::ledgers {
namespace {

std::string_view sideOf(Money signedBalance) {
  if (signedBalance.isZero()) return kSettled;
  return signedBalance.isNegative() ? kCreditSide : kDebitSide;
}

GeneralLedgerRow balanceRow(GeneralRowKind kind, const balances::BalanceMonth& month, const std::string& name,
                            std::string_view summary, Money balance, Money rawBalance, bool foreign) {
  GeneralLedgerRow row;
  row.kind = kind;
  row.subjectId = month.key.second;
  row.subjectName = name;
  row.month = month.month.month;
  row.summary = summary;
  row.balance = balance.abs();
  if (foreign) row.rawBalance = rawBalance.abs();
  row.side = sideOf(balance);
  return row;
}

}  // namespace

std::optional<Refusal> ValidateGeneralLedgerFilter(const GeneralLedgerFilter& filter) {
  if (auto refusal = CalendarRefusal(filter.year, filter.fromMonth, filter.toMonth)) return refusal;
  if (filter.fromMonth > filter.toMonth) return Refusal{"会计开始期间不能大于会计结束期间"};
  if (filter.level < 1 || filter.level > kLastGeneralLedgerLevel) return Refusal{"科目级别应在 1 至 5 之间"};
  return std::nullopt;
}

GeneralLedgerFilter DefaultGeneralLedgerFilter(const AccountBooksData& book) {
  const MonthSpan span = DefaultMonthSpan(book);
  GeneralLedgerFilter filter;
  filter.year = span.year;
  filter.fromMonth = span.fromMonth;
  filter.toMonth = span.toMonth;
  return filter;
}

std::string PeriodText(int month) { return std::to_string(month) + "月"; }

std::vector<GeneralLedgerRow> BuildGeneralLedger(data::Connection& db, const base::CodeStructure& structure,
                                                 const GeneralLedgerFilter& filter) {
  std::vector<GeneralLedgerRow> rows;
  if (structure.levels() == 0) return rows;
  const int level = std::clamp(filter.level, 1, structure.levels());
  const auto longest = static_cast<std::size_t>(structure.cumulativeLengths()[static_cast<std::size_t>(level - 1)]);

  std::map<std::string, std::string> names;
  for (auto& subject : LedgerSubjects(db, filter.subjects))
    if (subject.code.size() <= longest) names.emplace(std::move(subject.code), std::move(subject.name));

  const bool foreign = filter.foreign();
  const auto months = balances::ReadBalanceSpan(db, {{filter.year, filter.fromMonth},
                                                     {filter.year, filter.toMonth},
                                                     filter.currency,
                                                     filter.subjects.first,
                                                     filter.subjects.last,
                                                     filter.omitIdleMonths});
  const std::string* current = nullptr;
  for (const auto& month : months) {
    const std::string& code = month.key.second;
    if (code.size() > longest) continue;
    const auto name = names.find(code);
    const std::string& subjectName = name == names.end() ? std::string() : name->second;
    if (!current || *current != code) {
      current = &code;
      rows.push_back(balanceRow(GeneralRowKind::Opening, month, subjectName, kOpeningSummary, month.opening(),
                                month.rawOpening(), foreign));
    }
    GeneralLedgerRow period = balanceRow(GeneralRowKind::PeriodTotal, month, subjectName, kPeriodTotalSummary,
                                         month.closing(), month.rawClosing(), foreign);
    period.debit = month.debit;
    period.credit = month.credit;
    GeneralLedgerRow year = balanceRow(GeneralRowKind::YearTotal, month, subjectName, kYearTotalSummary,
                                       month.closing(), month.rawClosing(), foreign);
    year.debit = month.yearDebit;
    year.credit = month.yearCredit;
    if (foreign) {
      period.rawDebit = month.rawDebit;
      period.rawCredit = month.rawCredit;
      year.rawDebit = month.yearRawDebit;
      year.rawCredit = month.yearRawCredit;
    }
    rows.push_back(std::move(period));
    rows.push_back(std::move(year));
  }
  return rows;
}

}  // namespace qj::ledgers
