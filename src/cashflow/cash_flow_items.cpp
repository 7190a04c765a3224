#include "cashflow/cash_flow_items.h"

#include <algorithm>

#include "cashflow/item_store.h"

namespace qj::cashflow {

std::vector<CashFlowItem> ReadCashFlowItems(data::Connection& db) {
  std::vector<CashFlowItem> items = SelectCashFlowItems(db);
  std::sort(items.begin(), items.end(), [](const CashFlowItem& a, const CashFlowItem& b) { return a.code < b.code; });
  return items;
}

}  // namespace qj::cashflow
