// The voucher types a book's type scheme offers, and the type proposed for a new voucher.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/period.h"

namespace qj::vouchers {

struct VoucherType {
  std::int64_t id = 0;
  std::string name;

  friend bool operator==(const VoucherType&, const VoucherType&) = default;
};

// The rows of AccountVoucherType the scheme offers, by ID: scheme 1 the general
// voucher (ID 1), scheme 2 receipt, payment and transfer (IDs 2 to 4), any other
// scheme the cash and bank types and their transfer (IDs from 5).
std::vector<VoucherType> OfferedVoucherTypes(data::Connection& db, int scheme);

// The type of the current period's latest voucher (the highest CREDID); with no
// voucher in the period, 1 for scheme 1 and 4 for any other scheme. Scheme 3
// does not offer 4: a new voucher then shows no type until the user picks one.
std::int64_t DefaultVoucherType(data::Connection& db, const Period& currentPeriod, int scheme);

}  // namespace qj::vouchers
