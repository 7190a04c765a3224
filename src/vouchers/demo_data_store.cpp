#include "vouchers/demo_data_store.h"

namespace qj::vouchers {

bool CurrencyStored(data::Connection& db, int moneyId) {
  return db.queryOne("SELECT MONEYID FROM Currency WHERE MONEYID=:id", {{"id", moneyId}}).has_value();
}

void InsertCurrency(data::Connection& db, const Currency& currency) {
  db.execute("INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (:id, :name, :rate)",
             {{"id", currency.moneyId}, {"name", currency.name}, {"rate", currency.rate}});
}

int CountSubjects(data::Connection& db) {
  const auto row = db.queryOne("SELECT COUNT(*) AS N FROM Subject", {});
  return row ? static_cast<int>(row->integer("N")) : 0;
}

std::vector<std::string> SubjectCodesInOrder(data::Connection& db) {
  std::vector<std::string> codes;
  for (const auto& row : db.query("SELECT SUBJECTID FROM Subject ORDER BY SUBJECTID", {}))
    codes.push_back(row.text("SUBJECTID"));
  return codes;
}

}  // namespace qj::vouchers
