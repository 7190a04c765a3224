// The trial check of the opening data: after the totals, the grand-total row
// must show equal year-to-date movements, start-month balances and
// year-opening balances on both sides.
#pragma once

#include <string>

#include "base/code_structure.h"
#include "data/connection.h"
#include "subjects/opening_total_store.h"

namespace qj::subjects {

// Recomputes the totals and reads the grand-total row.
TrialFigures RunTrialBalance(data::Connection& db, const base::CodeStructure& structure);

// The message that reports a check with its figures, and its caption:
// "提示" when it passed, "警告" when it did not.
std::string TrialBalanceMessage(const TrialFigures& figures);
std::string TrialBalanceCaption(const TrialFigures& figures);

}  // namespace qj::subjects
