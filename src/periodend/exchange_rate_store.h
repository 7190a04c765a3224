// The period-end rates the exchange adjustment restates foreign balances at,
// kept as the currencies' rates (Currency.RATE).
#pragma once

#include "data/connection.h"
#include "data/money.h"

namespace qj::periodend {

// Stores the rate of a foreign currency; false when the book has no such currency.
bool StorePeriodEndRate(data::Connection& db, int moneyId, Money rate);

}  // namespace qj::periodend
