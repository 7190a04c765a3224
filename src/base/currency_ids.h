// Currency numbers with a meaning of their own in every table keyed by currency.
#pragma once

namespace qj::base {

// The local currency (人民币), whose amounts are their own local amounts.
inline constexpr int kLocalCurrency = 0;
// The aggregate rows (MONEYID 99): every currency of a subject summed in local
// money. Real currencies are numbered below it.
inline constexpr int kAllCurrencies = 99;

}  // namespace qj::base
