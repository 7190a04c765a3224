#include "balances/movements.h"

#include <vector>

#include "balances/balance_store.h"
#include "base/currency_ids.h"

namespace qj::balances {
namespace {

BalanceRow moved(const BalanceRow& old, const Movement& movement) {
  const Money net = old.endDebit - old.endCredit + movement.debit - movement.credit;
  const Money rawNet = base::IsForeignCurrency(old.key.first)
                           ? old.endRawDebit - old.endRawCredit + movement.rawDebit - movement.rawCredit
                           : Money();
  const bool rawOnDebit = net.isZero() ? rawNet > Money() : net > Money();
  BalanceRow row;
  row.key = old.key;
  row.rawDebit = old.rawDebit + movement.rawDebit;
  row.rawCredit = old.rawCredit + movement.rawCredit;
  row.endRawDebit = rawOnDebit ? rawNet : Money();
  row.endRawCredit = rawOnDebit ? Money() : -rawNet;
  row.yearRawDebit = old.yearRawDebit + movement.rawDebit;
  row.yearRawCredit = old.yearRawCredit + movement.rawCredit;
  row.debit = old.debit + movement.debit;
  row.credit = old.credit + movement.credit;
  row.endDebit = net > Money() ? net : Money();
  row.endCredit = net < Money() ? -net : Money();
  row.yearDebit = old.yearDebit + movement.debit;
  row.yearCredit = old.yearCredit + movement.credit;
  return row;
}

}  // namespace

void ApplyMovements(data::Connection& db, const Period& month, const std::map<BalanceKey, Movement>& movements) {
  const std::map<BalanceKey, BalanceRow> existing = ReadMonthBalances(db, month);
  // Rows the month has are changed together, and rows it has not yet are
  // added together.
  std::vector<BalanceRow> changed;
  std::vector<BalanceRow> added;
  for (const auto& [key, movement] : movements) {
    const auto found = existing.find(key);
    if (found != existing.end()) {
      changed.push_back(moved(found->second, movement));
      continue;
    }
    BalanceRow none;
    none.key = key;
    added.push_back(moved(none, movement));
  }
  UpdateBalances(db, month, changed);
  InsertBalances(db, month, added);
}

}  // namespace qj::balances
