// The cash-flow items (Fluxion): codes of two to twelve characters, two per
// level; inflow or outflow; detail items carry amounts, summary items group.
#pragma once

#include <string>
#include <vector>

#include "data/connection.h"

namespace qj::cashflow {

struct CashFlowItem {
  std::string code;
  std::string name;
  bool inflow = false;  // DCFLAG 'T'
  bool detail = false;  // DETAILFLAG 'T'

  friend bool operator==(const CashFlowItem&, const CashFlowItem&) = default;
};

// Every item in code order; the order is the characters' order on every
// engine, so a parent always comes before its children.
std::vector<CashFlowItem> ReadCashFlowItems(data::Connection& db);

}  // namespace qj::cashflow
