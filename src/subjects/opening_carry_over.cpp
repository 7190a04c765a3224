#include "subjects/opening_carry_over.h"

#include <array>

#include "subjects/opening_columns.h"
#include "subjects/opening_row_store.h"

namespace qj::subjects {

bool AddReleSubjectStartData(data::Connection& db, const std::string& subjectId, Money debit, Money credit,
                             Money balance) {
  data::Transaction tx(db);
  bool repaired = false;
  for (const int moneyId : std::array{0, kAllCurrencies}) {
    const std::string key = OpeningRowKey(moneyId, subjectId);
    auto debitSide = OpeningRowDebitSide(db, key);
    if (!debitSide && !repaired) {
      CreateSubjectStartData(db);
      repaired = true;
      debitSide = OpeningRowDebitSide(db, key);
    }
    if (!debitSide) return false;
    const Money stored = TruncateCurrency(*debitSide ? balance : -balance);
    SetOpeningFigures(db, key, TruncateCurrency(debit), TruncateCurrency(credit), stored);
  }
  tx.commit();
  return true;
}

}  // namespace qj::subjects
