#include "vouchers/currencies.h"
#include "base/currency_ids.h"

#include <algorithm>

namespace qj::vouchers {

Currencies Currencies::load(data::Connection& db) {
  std::vector<Currency> list;
  for (const auto& row : db.query("SELECT MONEYID, NAME, RATE FROM Currency WHERE MONEYID<:aggregate ORDER BY MONEYID",
                                  {{"aggregate", base::kAllCurrencies}}))
    list.push_back({static_cast<int>(row.integer("MONEYID")), row.text("NAME"), row.money("RATE")});
  return Currencies(std::move(list));
}

const Currency* Currencies::find(int moneyId) const {
  const auto found = std::find_if(list_.begin(), list_.end(), [&](const Currency& c) { return c.moneyId == moneyId; });
  return found == list_.end() ? nullptr : &*found;
}

}  // namespace qj::vouchers
