#include "vouchers/voucher_types.h"

namespace qj::vouchers {
namespace {

// The condition on AccountVoucherType.ID of each scheme; a fixed text, never input.
const char* OfferedIds(int scheme) {
  switch (scheme) {
    case 1:
      return "ID=1";
    case 2:
      return "ID>1 AND ID<5";
    default:
      return "ID>4";
  }
}

}  // namespace

std::vector<VoucherType> OfferedVoucherTypes(data::Connection& db, int scheme) {
  std::vector<VoucherType> types;
  for (const auto& row :
       db.query(std::string("SELECT ID, NAME FROM AccountVoucherType WHERE ") + OfferedIds(scheme) + " ORDER BY ID"))
    types.push_back({row.integer("ID"), row.text("NAME")});
  return types;
}

std::int64_t DefaultVoucherType(data::Connection& db, const Period& currentPeriod, int scheme) {
  const VoucherIdRange range = MonthVoucherRange(currentPeriod);
  const auto latest = db.queryOne(
      "SELECT AccountVoucherTypeID FROM VoucherMaster WHERE CREDID BETWEEN :first AND :last "
      "ORDER BY CREDID DESC LIMIT 1",
      {{"first", range.first}, {"last", range.last}});
  if (latest) return latest->integer("AccountVoucherTypeID");
  return scheme == 1 ? 1 : 4;
}

}  // namespace qj::vouchers
