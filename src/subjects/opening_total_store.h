// Writing the derived opening-balance rows and columns (what the book's
// routine ReWriteSubjectDataTotal provides).
//
//  - A detail subject's currency-99 row is the local-money sum of its rows in
//    every other currency.
//  - A summary row, in every currency, is the sum of its detail rows (a detail
//    row of the opposite direction counts its balance against it).
//  - Every row's year-opening balance, Balance - (DEBIT - CREDIT) on the
//    subject's side, and start-month balance, Balance, are split by side into
//    YDEBIT/YCREDIT and MDEBIT/MCREDIT (the RAW twins likewise for foreign rows).
//  - Row "99999" is the grand total of the level-1 currency-99 rows, as the
//    trial balance adds its first-level subjects.
#pragma once

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/money.h"
#include "hostapi/refusal.h"

namespace qj::subjects {

// The figures of the grand-total row that the trial check compares.
struct TrialFigures {
  Money debit;    // 本年累计 借方
  Money credit;   // 本年累计 贷方
  Money mDebit;   // 期初余额 借方
  Money mCredit;  // 期初余额 贷方
  Money yDebit;   // 年初余额 借方
  Money yCredit;  // 年初余额 贷方

  [[nodiscard]] bool balanced() const { return debit == credit && mDebit == mCredit && yDebit == yCredit; }
};

// Whether every figure the totals are added up from fits in an amount: the
// magnitudes of the detail rows' amounts, local and foreign apart, add up
// without overflow, so no total, side split or grand total can overflow.
bool OpeningTotalsFit(data::Connection& db);
// Says that the opening data's totals would leave the range of an amount.
Refusal OpeningTotalsOutOfRangeRefusal();

// Recomputes all of the above in one transaction; needs a code structure with
// at least one level and totals that fit (RefusalError otherwise, before
// anything is written).
void ReWriteSubjectDataTotal(data::Connection& db, const base::CodeStructure& structure);

// The code length of level-1 subjects; RefusalError without levels.
int LevelOneLength(const base::CodeStructure& structure);

// The grand-total row's figures as the totals last wrote them; all zero without that row.
TrialFigures GrandTotalFigures(data::Connection& db);

}  // namespace qj::subjects
