// The trial check of the opening data: after the totals, the grand-total row
// must show equal year-to-date movements, start-month balances and
// year-opening balances on both sides.
#pragma once

#include <string>

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/money.h"

namespace qj::subjects {

struct TrialFigures {
  Money debit;    // 本年累计 借方
  Money credit;   // 本年累计 贷方
  Money mDebit;   // 期初余额 借方
  Money mCredit;  // 期初余额 贷方
  Money yDebit;   // 年初余额 借方
  Money yCredit;  // 年初余额 贷方

  [[nodiscard]] bool balanced() const { return debit == credit && mDebit == mCredit && yDebit == yCredit; }
};

// Recomputes the totals and reads the grand-total row.
TrialFigures RunTrialBalance(data::Connection& db, const base::CodeStructure& structure);

// The message that reports a check with its figures, and its caption:
// "提示" when it passed, "警告" when it did not.
std::string TrialBalanceMessage(const TrialFigures& figures);
std::string TrialBalanceCaption(const TrialFigures& figures);

}  // namespace qj::subjects
