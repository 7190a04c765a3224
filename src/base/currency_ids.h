// Currency numbers with a meaning of their own in every table keyed by currency.
#pragma once

#include <cstdint>

namespace qj::base {

// The local currency (人民币), whose amounts are their own local amounts.
inline constexpr int kLocalCurrency = 0;
// The aggregate rows (MONEYID 99): every currency of a subject summed in local
// money. Real currencies are numbered below it.
inline constexpr int kAllCurrencies = 99;

// Foreign currencies are numbered between the local currency and the aggregate rows.
inline constexpr bool IsForeignCurrency(std::int64_t moneyId) {
  return moneyId > kLocalCurrency && moneyId < kAllCurrencies;
}

}  // namespace qj::base
