// One cash-flow item's allocation in a voucher as the editor shows it, and
// the column an amount goes to.
#pragma once

#include <string>

#include "data/money.h"

namespace qj::cashflow {

struct AllocationRow {
  std::string code;
  std::string name;
  Money inflow;   // DEBIT
  Money outflow;  // CREDIT

  friend bool operator==(const AllocationRow&, const AllocationRow&) = default;
};

enum class AllocationColumn { Inflow, Outflow };

}  // namespace qj::cashflow
