// Reading the customers and suppliers that may get a sub-account under a
// control account.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/connection.h"

namespace qj::subjects {

struct Counterparty {
  std::int64_t id = 0;
  std::string abbreviation;
};

// "客户" for the customer control accounts (113, 204), "供应商" for the supplier ones (115, 203).
std::string CounterpartyKind(int controlCode);

// The customers (CLIENT) or suppliers (VENDOR) of the control account's kind
// that have no sub-account of it yet, by identifier.
std::vector<Counterparty> UnlinkedCounterparties(data::Connection& db, int controlCode);

// The RELEVANTID of a sub-account linking the control account to a customer or supplier.
std::int64_t RelevantIdOf(int controlCode, std::int64_t counterparty);

}  // namespace qj::subjects
