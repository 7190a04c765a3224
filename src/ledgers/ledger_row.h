// The rows of a detail ledger or a cash or bank journal, as the screens, the
// printed and exported lists and the command line show them.
#pragma once

#include <string>
#include <string_view>

#include "data/date.h"
#include "data/money.h"

namespace qj::ledgers {

inline constexpr std::string_view kDebitSide = "借";
inline constexpr std::string_view kCreditSide = "贷";
inline constexpr std::string_view kSettled = "平";
inline constexpr std::string_view kOpeningSummary = "期初余额";
inline constexpr std::string_view kPeriodTotalSummary = "本期合计";
inline constexpr std::string_view kYearTotalSummary = "本年累计";

// A subject a ledger is kept for.
struct LedgerSubject {
  std::string code;
  std::string name;
  bool debitSide = true;  // its balance is told as debit minus credit
};

enum class LedgerRowKind { Opening, Line, PeriodTotal, YearTotal };

// Texts are views into the run that built the row (its lines and subjects)
// or into constants; a row lives no longer than its run. An amount of 0 is
// shown empty.
struct LedgerRow {
  LedgerRowKind kind = LedgerRowKind::Line;
  Date date;
  // The ledger's subject; in a journal a line's counterpart subject.
  std::string_view subjectId;
  std::string_view credId;
  std::string_view voucherNo;  // voucher word and number, "记12"
  std::string_view summary;
  Money rate;
  Money rawDebit, rawCredit, rawBalance;
  Money debit, credit, balance;
  // The balance is told on the subject's own side; "平" when it is 0.
  std::string_view side;
};

}  // namespace qj::ledgers
