// Reading and writing cash-flow items (Fluxion).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cashflow/cash_flow_items.h"
#include "cashflow/item_tree.h"
#include "data/connection.h"

namespace qj::cashflow {

// Every item as the table gives it, in no particular order.
std::vector<CashFlowItem> SelectCashFlowItems(data::Connection& db);
// One item's code and direction as stored now; none when it is gone.
std::optional<PickedItem> FindItemDirection(data::Connection& db, const std::string& code);

// Adds the item as it stands: code, name, direction and detail flag.
void InsertCashFlowItem(data::Connection& db, const CashFlowItem& item);
// Changes an item's name and direction.
void UpdateItemNameAndDirection(data::Connection& db, const std::string& code, const std::string& name, bool inflow);
// Makes the item a summary item (DETAILFLAG 'F'), or a detail item again (DETAILFLAG 'T').
void MarkSummaryItem(data::Connection& db, const std::string& code);
void MarkDetailItem(data::Connection& db, const std::string& code);
// Removes the item's own row.
void DeleteCashFlowItem(data::Connection& db, const std::string& code);

}  // namespace qj::cashflow
