// `BuildLedger` and its steps: one subject's detail ledger or journal rows
// from its opening balance and its lines.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "balances/balance_span_store.h"
#include "ledgers/ledger_filter.h"
#include "ledgers/ledger_lines.h"
#include "ledgers/ledger_row.h"

namespace qj::ledgers {

// `GetSubjectSide`: a subject with DCFLAG 'T' keeps its balance on the debit
// side, any other on the credit side.
bool GetSubjectSide(std::string_view dcFlag);

// Where a ledger starts: the balance at the start of the first month, and the
// year's movements before it, all signed as debit minus credit.
struct LedgerOpening {
  Money balance, rawBalance;
  Money debitBefore, creditBefore, rawDebitBefore, rawCreditBefore;
};

// `GetLedgerOpening`: from the subject's Balance row of the first month; no
// row is an opening of 0. The foreign-currency figures count for a foreign
// currency only.
LedgerOpening GetLedgerOpening(const balances::BalanceMonth* month, bool foreign);

// `FindCounterpartSubject`: among a voucher's lines in line-number order, for
// a debit line the first line with a credit, for a credit line the first with
// a debit; "" when there is none.
std::string_view FindCounterpartSubject(std::span<LedgerLine* const> voucherLines, const LedgerLine& line);

// `BuildLedger`: appends one subject's rows to `rows`: the opening row, each
// line with the running balance, and after each month with lines (and always
// after the first month) its 本期合计 and 本年累计. `lines` are the subject's
// lines in ledger order; in journal mode a line row names the line's
// counterpart instead of the subject.
void BuildLedger(const LedgerSubject& subject, const LedgerOpening& opening, const LedgerFilter& filter,
                 std::span<const LedgerLine* const> lines, bool journalMode, std::vector<LedgerRow>& rows);

}  // namespace qj::ledgers
