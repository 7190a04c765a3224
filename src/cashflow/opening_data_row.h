// One item's opening cash-flow amounts in a month of the start year, and the
// columns they are shown in.
#pragma once

#include <string>

#include "data/money.h"

namespace qj::cashflow {

enum class OpeningDataColumn { Code, Name, Debit, Credit, Direction };

struct OpeningDataRow {
  std::string code;
  std::string name;
  bool inflow = false;
  Money debit;          // inflow
  Money credit;         // outflow
  bool edited = false;  // changed since it was read
};

}  // namespace qj::cashflow
