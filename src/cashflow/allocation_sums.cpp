#include "cashflow/allocation_sums.h"

namespace qj::cashflow {
namespace {

AllocationSums sumsOf(data::Connection& db, std::string_view sql, const std::string& credId) {
  const auto row = db.queryOne(sql, {{"parCredID", credId}});
  if (!row) return {};
  return {row->money("D"), row->money("C")};
}

}  // namespace

AllocationSums AllocationSumsOf(data::Connection& db, const std::string& credId) {
  return sumsOf(db, "SELECT SUM(DEBIT) AS D, SUM(CREDIT) AS C FROM FluxionDistribute WHERE CREDID=:parCredID", credId);
}

AllocationSums VoucherCashAmount(data::Connection& db, const std::string& credId) {
  return sumsOf(db,
                "SELECT SUM(DEBIT) AS D, SUM(CREDIT) AS C FROM VoucherDetail WHERE CREDID=:parCredID "
                "AND SUBJECTID IN (SELECT SUBJECTID FROM Subject WHERE VorCash='T')",
                credId);
}

bool IsProcessed(data::Connection& db, const std::string& credId) {
  return VoucherCashAmount(db, credId).difference() == AllocationSumsOf(db, credId).difference();
}

}  // namespace qj::cashflow
