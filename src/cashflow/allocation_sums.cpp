#include "cashflow/allocation_sums.h"

#include "cashflow/allocation_store.h"

namespace qj::cashflow {

AllocationSums AllocationSumsOf(data::Connection& db, const std::string& credId) { return SumAllocations(db, credId); }

AllocationSums VoucherCashAmount(data::Connection& db, const std::string& credId) {
  return SumVoucherCashLines(db, credId);
}

bool IsProcessed(data::Connection& db, const std::string& credId) {
  return VoucherCashAmount(db, credId).difference() == AllocationSumsOf(db, credId).difference();
}

}  // namespace qj::cashflow
