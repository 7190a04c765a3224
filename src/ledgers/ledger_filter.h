// What a ledger run covers: a span of months of one year, a currency, whether
// unposted vouchers count, and a range of subject codes.
#pragma once

#include <optional>
#include <string>

#include "base/currency_ids.h"
#include "hostapi/account_books_data.h"
#include "hostapi/refusal.h"

namespace qj::ledgers {

inline constexpr int kFirstLedgerYear = 1970;
inline constexpr int kLastLedgerYear = 2100;

// A range of subject codes; an empty bound leaves that end open. The
// subjects of the range are those whose code lies between the two bounds;
// a subject's ledger also takes the lines of its sub-accounts, so the lines
// read reach past the last code to everything that begins with it.
struct CodeRange {
  std::string first;
  std::string last;

  // Whether a subject of this code belongs to the range.
  [[nodiscard]] bool includes(const std::string& code) const;
  // The lowest code a line of the range can carry; "" for no lower bound.
  [[nodiscard]] const std::string& lineLow() const { return first; }
  // A code above every line of the range (the last code with its final
  // character raised, so every code that begins with it sorts below); none
  // when the range is open above or the last character cannot be raised.
  [[nodiscard]] std::optional<std::string> lineBelow() const;
};

struct LedgerFilter {
  int year = 0;
  int fromMonth = 1;
  int toMonth = 12;
  int currency = base::kLocalCurrency;  // a currency of the book, or base::kAllCurrencies
  bool includeUnposted = false;
  CodeRange subjects;

  [[nodiscard]] bool foreign() const { return base::IsForeignCurrency(currency); }
};

// A year or a month outside the calendar the filters offer; none when both lie inside it.
std::optional<Refusal> CalendarRefusal(int year, int fromMonth, int toMonth);

// The months a ledger filter opens with: the current period's year, from its
// first month in the book to the current month.
struct MonthSpan {
  int year = 0;
  int fromMonth = 1;
  int toMonth = 12;
};
MonthSpan DefaultMonthSpan(const AccountBooksData& book);

// The refusals of the ledger filters' OK, in the order they are checked: a
// year or month outside the calendar, a start before the book's first month
// or after its current period, a start month after the end month.
std::optional<Refusal> ValidateLedgerFilter(const AccountBooksData& book, int year, int fromMonth, int toMonth);

// The filter a ledger dialog opens with: the current period's year, from its
// first month to the current month, local currency, every subject.
LedgerFilter DefaultLedgerFilter(const AccountBooksData& book);

}  // namespace qj::ledgers
