// Starting the ledger from the opening data: the start period's Balance and
// ProfitAndLoss rows, and the fixed-asset module's first-period rows.
#pragma once

#include "base/code_structure.h"
#include "data/connection.h"
#include "hostapi/account_books_data.h"

namespace qj::subjects {

// In one transaction: recomputes the totals, empties Balance and
// ProfitAndLoss, and builds the current (start) period from the opening rows:
//   YRAW/Y (year-opening) -> YBRAW/YB, MRAW/M (start month) -> BRAW/B and ERAW/E,
//   RAW/plain DEBIT and CREDIT (before the start month) -> YRAW/Y,
// skipping all-zero rows and the grand total; the profit and loss realised
// before the start month (PLHAVEDONE of local class-5 detail rows) goes to the
// year figures of the subject and its ancestors. Then the fixed-asset opening
// transfer for the period and its depreciation workload, as the period build
// of every start period does. Returns false, changing nothing, unless the book
// is in its start period with nothing posted.
bool TransferOpeningToLedger(data::Connection& db, const base::CodeStructure& structure, const AccountBooksData& book);

}  // namespace qj::subjects
