// Where the current month stands: how many of its vouchers wait for audit or
// posting, and whether its profit and loss has been carried forward.
#pragma once

#include <cstdint>

#include "data/connection.h"
#include "data/period.h"

namespace qj::periodend {

struct MonthVoucherCounts {
  std::int64_t vouchers = 0;
  std::int64_t unaudited = 0;  // a missing flag counts as not audited
  std::int64_t unposted = 0;
  std::int64_t unpostedUnaudited = 0;  // of the unposted, those not audited
  std::int64_t postable = 0;           // unposted, and audited where the book demands it
  bool carried = false;                // a profit-and-loss carry-forward voucher exists
};

MonthVoucherCounts CountMonthVouchers(data::Connection& db, const Period& month, bool mustCheck);
// Whether any voucher of the month is not posted yet; stops at the first.
bool AnyUnpostedVoucher(data::Connection& db, const Period& month);

}  // namespace qj::periodend
