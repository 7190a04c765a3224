#include "ledgers/ledger_filter.h"

namespace qj::ledgers {

bool CodeRange::includes(const std::string& code) const {
  return (first.empty() || code >= first) && (last.empty() || code <= last);
}

std::optional<std::string> CodeRange::lineBelow() const {
  // Raised within printable ASCII only, so the bound stays valid text on
  // every engine; other codes are filtered after reading.
  if (last.empty() || last.back() < ' ' || last.back() >= '~') return std::nullopt;
  std::string below = last;
  ++below.back();
  return below;
}

std::optional<Refusal> CalendarRefusal(int year, int fromMonth, int toMonth) {
  if (year < kFirstLedgerYear || year > kLastLedgerYear)
    return Refusal{"会计年度应在 " + std::to_string(kFirstLedgerYear) + " 至 " + std::to_string(kLastLedgerYear) +
                   " 之间"};
  if (fromMonth < 1 || fromMonth > 12 || toMonth < 1 || toMonth > 12) return Refusal{"会计期间应在 1 至 12 之间"};
  return std::nullopt;
}

MonthSpan DefaultMonthSpan(const AccountBooksData& book) {
  return {book.CurrYear, book.CurrYear == book.StartYear ? book.StartMonth : 1, book.CurrMon};
}

std::optional<Refusal> ValidateLedgerFilter(const AccountBooksData& book, int year, int fromMonth, int toMonth) {
  if (auto refusal = CalendarRefusal(year, fromMonth, toMonth)) return refusal;
  const auto start = std::pair{book.StartYear, book.StartMonth};
  const auto from = std::pair{year, fromMonth};
  if (from < start) return Refusal{"会计期间不能从系统开帐日之前开始"};
  if (from > std::pair{book.CurrYear, book.CurrMon}) return Refusal{"会计期间不能从当前会计期间之后开始"};
  if (fromMonth > toMonth) return Refusal{"会计开始期间不能大于会计结束期间"};
  return std::nullopt;
}

LedgerFilter DefaultLedgerFilter(const AccountBooksData& book) {
  const MonthSpan span = DefaultMonthSpan(book);
  LedgerFilter filter;
  filter.year = span.year;
  filter.fromMonth = span.fromMonth;
  filter.toMonth = span.toMonth;
  return filter;
}

}  // namespace qj::ledgers
