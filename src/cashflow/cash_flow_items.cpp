#include "cashflow/cash_flow_items.h"

#include <algorithm>

namespace qj::cashflow {

std::vector<CashFlowItem> ReadCashFlowItems(data::Connection& db) {
  std::vector<CashFlowItem> items;
  for (const auto& row : db.query("SELECT CASHID, NAME, DCFLAG, DETAILFLAG FROM Fluxion"))
    items.push_back({row.text("CASHID"), row.text("NAME"), row.flag("DCFLAG"), row.flag("DETAILFLAG")});
  std::sort(items.begin(), items.end(), [](const CashFlowItem& a, const CashFlowItem& b) { return a.code < b.code; });
  return items;
}

}  // namespace qj::cashflow
