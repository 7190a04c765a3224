#include "subjects/opening_carry_over.h"

#include <array>

#include "subjects/opening_columns.h"
#include "subjects/opening_rows.h"

namespace qj::subjects {

bool AddReleSubjectStartData(data::Connection& db, const std::string& subjectId, Money debit, Money credit,
                             Money balance) {
  data::Transaction tx(db);
  bool repaired = false;
  const auto find = [&](const std::string& key) {
    return db.queryOne("SELECT DCFLAG FROM SubjectStartData WHERE MNYIDSUBJECTID=:key", {{"key", key}});
  };
  for (const int moneyId : std::array{0, kAllCurrencies}) {
    const std::string key = OpeningRowKey(moneyId, subjectId);
    auto row = find(key);
    if (!row && !repaired) {
      CreateSubjectStartData(db);
      repaired = true;
      row = find(key);
    }
    if (!row) return false;
    const Money stored = TruncateCurrency(row->text("DCFLAG") == "T" ? balance : -balance);
    db.execute(
        "UPDATE SubjectStartData SET DEBIT=:debit, CREDIT=:credit, Balance=:balance WHERE MNYIDSUBJECTID=:key",
        {{"debit", TruncateCurrency(debit)}, {"credit", TruncateCurrency(credit)}, {"balance", stored}, {"key", key}});
  }
  tx.commit();
  return true;
}

}  // namespace qj::subjects
