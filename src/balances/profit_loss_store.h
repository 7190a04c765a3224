// The month's ProfitAndLoss figures: what the income statement reads for a
// profit-and-loss subject (and each ancestor) in a month and in its year so far.
#pragma once

#include <map>
#include <string>

#include "data/connection.h"
#include "data/money.h"
#include "data/period.h"

namespace qj::balances {

struct ProfitLossFigures {
  Money debit;   // expenses
  Money credit;  // income
};

// Adds the figures to the month's rows (DEBIT and CREDIT) and to the year so
// far (YDEBIT and YCREDIT), adding the rows that are missing.
void AddProfitAndLossFigures(data::Connection& db, const Period& month,
                             const std::map<std::string, ProfitLossFigures>& figures);

}  // namespace qj::balances
