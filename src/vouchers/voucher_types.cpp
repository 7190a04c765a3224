#include "vouchers/voucher_types.h"

#include "vouchers/voucher_book_queries.h"

namespace qj::vouchers {

std::vector<VoucherType> OfferedVoucherTypes(data::Connection& db, int scheme) {
  return SelectSchemeVoucherTypes(db, scheme);
}

std::int64_t DefaultVoucherType(data::Connection& db, const Period& currentPeriod, int scheme) {
  if (const auto latest = LatestVoucherTypeIn(db, MonthVoucherRange(currentPeriod))) return *latest;
  return scheme == 1 ? 1 : 4;
}

}  // namespace qj::vouchers
