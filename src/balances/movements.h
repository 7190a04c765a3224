// Posting a month's movements into its Balance rows.
#pragma once

#include <map>

#include "balances/balance_row.h"
#include "data/connection.h"
#include "data/period.h"

namespace qj::balances {

// A month's movement of one Balance row; the transaction-currency figures
// count for foreign currencies only.
struct Movement {
  Money debit;
  Money credit;
  Money rawDebit;
  Money rawCredit;
};

// Adds the movements to the month's Balance rows, creating the missing ones.
// The ending balance is the net of the old ending balance and the movement,
// held on one side: debit when positive, credit when negative, both sides
// empty when zero. The foreign ending balance stands on the side of the local
// one; where the local net is zero it stays on the side of its own sign.
void ApplyMovements(data::Connection& db, const Period& month, const std::map<BalanceKey, Movement>& movements);

}  // namespace qj::balances
