// Reading and writing the allocation of vouchers' cash movement to cash-flow
// items (FluxionDistribute): per voucher (CREDID) and item (CASHID), the
// inflow (DEBIT) and outflow (CREDIT) allocated to the item.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cashflow/allocation_row.h"
#include "cashflow/allocation_sums.h"
#include "data/connection.h"
#include "data/money.h"

namespace qj::cashflow {

// One item's stored allocation in a voucher.
struct ItemAllocation {
  std::string code;
  Money inflow;   // DEBIT
  Money outflow;  // CREDIT
};

// Total DEBIT and CREDIT of the voucher's rows.
AllocationSums SumAllocations(data::Connection& db, const std::string& credId);
// Total DEBIT and CREDIT of the voucher's stored lines (VoucherDetail) whose
// subject takes part in cash flow: the movement its allocation must match.
AllocationSums SumVoucherCashLines(data::Connection& db, const std::string& credId);
// Whether any voucher allocates an amount to the item.
bool ItemCarriesAllocations(data::Connection& db, const std::string& code);

// The voucher's rows, in no particular order.
std::vector<ItemAllocation> SelectAllocations(data::Connection& db, const std::string& credId);
// The voucher's row of one item; none when it has no row.
std::optional<ItemAllocation> SelectAllocation(data::Connection& db, const std::string& credId,
                                               const std::string& code);

// Stores one column of the voucher's row of an item in one transaction,
// keeping the other column as stored; a row left without amounts is deleted.
void StoreAllocationAmount(data::Connection& db, const std::string& credId, const std::string& code,
                           AllocationColumn column, Money amount);
// Deletes the voucher's rows that carry no amount.
void DeleteEmptyAllocations(data::Connection& db, const std::string& credId);
// Deletes the voucher's rows of items that are not (or no longer) detail items.
void DeleteAllocationsOffDetailItems(data::Connection& db, const std::string& credId);
// Deletes every voucher's row of the item.
void DeleteAllocationsOfItem(data::Connection& db, const std::string& code);

}  // namespace qj::cashflow
