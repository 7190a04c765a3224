#include "subjects/currency_queries.h"

namespace qj::subjects {

std::vector<CurrencyChoice> ForeignCurrencies(data::Connection& db) {
  std::vector<CurrencyChoice> out;
  for (const auto& row : db.query("SELECT MONEYID, NAME FROM Currency WHERE MONEYID>0 AND MONEYID<99 ORDER BY MONEYID"))
    out.push_back({static_cast<int>(row.integer("MONEYID")), row.text("NAME")});
  return out;
}

bool CurrencyExists(data::Connection& db, int moneyId) {
  return db.queryOne("SELECT 1 FROM Currency WHERE MONEYID=:id", {{"id", moneyId}}).has_value();
}

}  // namespace qj::subjects
