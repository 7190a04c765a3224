// The chart of accounts of the current small-enterprise accounting rules, in
// their four-digit numbering: the starting point of a new book laid out 4-2-2-2.
#pragma once

#include "base/code_structure.h"
#include "data/connection.h"

namespace qj::subjects {

// The name of the sub-account of 5603 财务费用 that takes exchange differences.
inline constexpr const char* kNationalExchangeGainLossName = "汇兑损益";

// Whether the chart fits a code structure: its level-1 codes have four digits.
bool NationalChartFits(const base::CodeStructure& structure);

// Fills Subject with the chart (sub-accounts numbered by the structure's
// segment widths, levels the book lacks left out) and points the
// reserved-subject entries at it: 0 fixed assets (1601), 2 cash (1001), 3 bank
// (1002), 16 current-year profit (3103). Runs in the caller's transaction;
// throws RefusalError when the structure does not fit.
void InstallNationalChart(data::Connection& db, const base::CodeStructure& structure);

}  // namespace qj::subjects
