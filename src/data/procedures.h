// The book database's own routines, written once for both engines.
#pragma once

#include <cstdint>
#include <string>

#include "data/connection.h"
#include "data/period.h"

namespace qj::data {

// Starts the book in `period`: the start date becomes the first day of that
// month and the current period that month. Refuses (std::runtime_error with a
// Chinese message) once any voucher has been posted, since the balances
// already belong to the old start.
void OutlayAccountStart(Connection& db, const Period& period);

// The next key of a named key sequence (table names compare upper-cased).
// One atomic statement, so two processes never receive the same key and keys
// strictly increase.
std::int64_t FetchKeyValue(Connection& db, const std::string& tableName);

}  // namespace qj::data
