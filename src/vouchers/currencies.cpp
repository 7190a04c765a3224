#include "vouchers/currencies.h"

#include <algorithm>

#include "vouchers/voucher_book_queries.h"

namespace qj::vouchers {

Currencies Currencies::load(data::Connection& db) { return Currencies(SelectVoucherCurrencies(db)); }

const Currency* Currencies::find(int moneyId) const {
  const auto found = std::find_if(list_.begin(), list_.end(), [&](const Currency& c) { return c.moneyId == moneyId; });
  return found == list_.end() ? nullptr : &*found;
}

}  // namespace qj::vouchers
