// One Balance row as typed figures: a subject's balances and movements in one
// currency for one month.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "data/money.h"

namespace qj::balances {

// Which row: the currency (MONEYID; 99 the all-currency row) and the subject.
using BalanceKey = std::pair<std::int64_t, std::string>;

struct BalanceRow {
  BalanceKey key;
  // Transaction-currency figures (foreign currencies only): the month's
  // movement, the ending balance on one side, and the movement of the year so far.
  Money rawDebit, rawCredit;
  Money endRawDebit, endRawCredit;
  Money yearRawDebit, yearRawCredit;
  // The same in local money.
  Money debit, credit;
  Money endDebit, endCredit;
  Money yearDebit, yearCredit;
};

}  // namespace qj::balances
