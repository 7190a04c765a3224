// Reading and writing the Balance rows of a month, as typed figures. A zero
// figure is stored as NULL, as every writer of the table stores it.
#pragma once

#include <map>
#include <vector>

#include "balances/balance_row.h"
#include "data/connection.h"
#include "data/period.h"

namespace qj::balances {

// The month's rows by key.
std::map<BalanceKey, BalanceRow> ReadMonthBalances(data::Connection& db, const Period& month);

// Deletes the month's rows that carry no figure at all, as vouchers taken back
// out of the month leave them.
void DeleteEmptyBalanceRows(data::Connection& db, const Period& month);

// Adds rows the month does not have yet, all in a few statements.
void InsertBalances(data::Connection& db, const Period& month, const std::vector<BalanceRow>& rows);
// Replaces every figure of rows the month already has, in one statement.
void UpdateBalances(data::Connection& db, const Period& month, const std::vector<BalanceRow>& rows);

}  // namespace qj::balances
