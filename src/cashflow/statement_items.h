// The items of the small-enterprise cash-flow statement, ready for a new book
// to allocate its cash lines to.
#pragma once

#include "data/connection.h"

namespace qj::cashflow {

// Fills Fluxion with the statement's lines: one summary item per activity
// (01 operating, 02 investing, 03 financing) over its inflow and outflow
// lines. Runs in the caller's transaction.
void InstallStatementItems(data::Connection& db);

}  // namespace qj::cashflow
