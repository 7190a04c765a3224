// What the ledgers read from the book besides the balances: the subjects of
// a run, the voucher lines, the names of voucher types and currencies.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/period.h"
#include "ledgers/ledger_filter.h"
#include "ledgers/ledger_lines.h"
#include "ledgers/ledger_row.h"

namespace qj::ledgers {

// The subjects whose code lies in the range, parents and detail subjects, in code order.
std::vector<LedgerSubject> LedgerSubjects(data::Connection& db, const CodeRange& range);

// The subjects whose code begins with one of the prefixes (compared
// literally), in code order.
std::vector<LedgerSubject> SubjectsUnder(data::Connection& db, const std::vector<std::string>& prefixes);

// The lines a ledger run reads.
struct LineSelection {
  Period from;
  Period to;
  bool includeUnposted = false;
  // Lines of this currency only; none for every currency.
  std::optional<std::int64_t> currency;
  // Lines whose subject lies between the range's lineLow and lineBelow.
  CodeRange codes;
  // Every line of a voucher that has a line in the range, whatever its
  // subject or currency, for the journals' counterparts.
  bool wholeVouchers = false;
};

// `OpenLedgerLines`: reads the selected lines into `lines`, unsorted, and
// gives each its voucher word and number from the book's voucher types.
void OpenLedgerLines(data::Connection& db, const LineSelection& selection, LedgerLines& lines);

// The currency's name; "" when the book has no such currency. The aggregate
// currency is "综合本位币"; the local currency is "人民币" unless the book names it.
std::string CurrencyName(data::Connection& db, int moneyId);

}  // namespace qj::ledgers
