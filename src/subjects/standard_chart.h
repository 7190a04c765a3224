// The standard chart of accounts for small businesses that a new book may start from.
#pragma once

#include "base/code_structure.h"
#include "data/connection.h"

namespace qj::subjects {

// Whether the standard chart fits a code structure: its level-1 codes have three digits.
bool StandardChartFits(const base::CodeStructure& structure);

// Fills Subject with the standard chart (sub-accounts numbered by the
// structure's segment widths, levels the book lacks left out) and points the
// reserved-subject entries at it: 0 fixed assets, 2 cash, 3 bank, 16
// current-year profit. Runs in the caller's transaction; the structure must fit.
void InstallStandardChart(data::Connection& db, const base::CodeStructure& structure);

}  // namespace qj::subjects
