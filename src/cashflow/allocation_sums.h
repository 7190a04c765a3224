// A voucher's cash movement and how much of it is allocated to cash-flow
// items: the totals the allocation editor, the voucher screen and the
// cash-flow statement compare.
#pragma once

#include <string>

#include "data/connection.h"
#include "data/money.h"

namespace qj::cashflow {

struct AllocationSums {
  Money debit;
  Money credit;

  [[nodiscard]] Money difference() const { return debit - credit; }

  friend bool operator==(const AllocationSums&, const AllocationSums&) = default;
};

// Total inflow (DEBIT) and outflow (CREDIT) of the voucher's FluxionDistribute
// rows; missing amounts count as 0.
AllocationSums AllocationSumsOf(data::Connection& db, const std::string& credId);

// Total DEBIT and CREDIT of the voucher's stored lines whose subject takes
// part in cash flow (VorCash 'T').
AllocationSums VoucherCashAmount(data::Connection& db, const std::string& credId);

// A voucher is processed when its cash amount (debit less credit of its cash
// lines) equals its allocation's inflow less outflow.
bool IsProcessed(data::Connection& db, const std::string& credId);

}  // namespace qj::cashflow
