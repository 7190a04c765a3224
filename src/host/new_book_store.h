// The first rows of a new book in the tables the host fills when it creates the book: its state, its voucher types,
// its local currency and the rate of the all-currency aggregate.
#pragma once

#include <string>

#include "data/connection.h"
#include "data/period.h"

namespace qj::host {

// The book's one AccountState row: identity, start and current month, audit off.
void InsertBookState(data::Connection& db, const std::string& guid, const Period& start);
// Every scheme's voucher types; the book's scheme chooses which the screens offer.
void InsertVoucherTypes(data::Connection& db);
// Currency 0, 人民币, at rate 1.
void InsertLocalCurrency(data::Connection& db);
// The starting rate of currency 99, the aggregate over all currencies, at 1.
void InsertAggregateRate(data::Connection& db);

}  // namespace qj::host
