// Writing cash-flow items (Fluxion).
#pragma once

#include "cashflow/cash_flow_items.h"
#include "data/connection.h"

namespace qj::cashflow {

// Adds the item as it stands: code, name, direction and detail flag.
void InsertCashFlowItem(data::Connection& db, const CashFlowItem& item);

}  // namespace qj::cashflow
