// Reading the book's currencies (Currency) as the subject rules and dialogs
// offer and check them.
#pragma once

#include <string>
#include <vector>

#include "data/connection.h"

namespace qj::subjects {

struct CurrencyChoice {
  int moneyId = 0;
  std::string name;
};

// The foreign currencies (numbers 1 to 98) in number order.
std::vector<CurrencyChoice> ForeignCurrencies(data::Connection& db);

// Whether the book has a currency with this number.
bool CurrencyExists(data::Connection& db, int moneyId);

}  // namespace qj::subjects
