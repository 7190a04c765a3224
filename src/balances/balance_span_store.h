// Reading the Balance rows of a span of months, as typed figures: the
// ledgers' openings and the general ledger's months.
#pragma once

#include <string>
#include <vector>

#include "balances/balance_row.h"
#include "data/connection.h"
#include "data/period.h"

namespace qj::balances {

// One subject's month in one currency, with the opening balance the month
// started from (kept on one side, like the ending balance).
struct BalanceMonth {
  Period month;
  BalanceKey key;
  Money openRawDebit, openRawCredit, rawDebit, rawCredit, yearRawDebit, yearRawCredit;
  Money openDebit, openCredit, debit, credit, yearDebit, yearCredit;

  // Signed: debit minus credit.
  [[nodiscard]] Money opening() const { return openDebit - openCredit; }
  [[nodiscard]] Money rawOpening() const { return openRawDebit - openRawCredit; }
  [[nodiscard]] Money closing() const { return opening() + debit - credit; }
  [[nodiscard]] Money rawClosing() const { return rawOpening() + rawDebit - rawCredit; }
};

struct BalanceSpan {
  Period from;
  Period to;
  std::int64_t moneyId = 0;
  std::string firstCode;    // "" for no lower bound
  std::string lastCode;     // "" for no upper bound; inclusive
  bool movingOnly = false;  // only months with a debit or credit movement
};

// The span's rows in subject code order, each subject's months in order.
std::vector<BalanceMonth> ReadBalanceSpan(data::Connection& db, const BalanceSpan& span);

}  // namespace qj::balances
