// Reading the opening rows as the opening-balance screen and the command line list them.
#pragma once

#include <string>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/money.h"

namespace qj::subjects {

// The figures of a row, and those derived from them.
enum class OpeningField {
  RawYearOpening,  // 本年年初, transaction currency (computed)
  YearOpening,     // 本年年初 (computed)
  RawDebit,
  Debit,  // 本年累计 借方
  RawCredit,
  Credit,  // 本年累计 贷方
  RawBalance,
  Balance,     // 期初余额
  ProfitLoss,  // 本年损益累计发生 (PLHAVEDONE)
  YDebit,      // 年初余额 借方
  YCredit,     // 年初余额 贷方
  MDebit,      // 期初余额 借方
  MCredit,     // 期初余额 贷方
};

struct OpeningRow {
  std::string key;        // MNYIDSUBJECTID
  std::string subjectId;  // empty for the total line
  std::string name;       // the names of the subject's ancestors and its own, joined by " → "
  bool debitSide = true;
  bool detail = true;
  Money rawDebit, rawCredit, rawBalance, debit, credit, balance, profitLoss;
  Money yDebit, yCredit, mDebit, mCredit;

  // A stored figure, or the year-opening balance Balance - (DEBIT - CREDIT)
  // on the subject's side (the RAW twins likewise).
  [[nodiscard]] Money value(OpeningField field) const;
  [[nodiscard]] Money& stored(OpeningField field);
};

struct OpeningCurrency {
  int moneyId = 0;
  std::string name;
  Money rate;
};

inline constexpr const char* kAllCurrenciesName = "综合本位币";

// The book's currencies below 99 in number order, then the all-currency aggregate (99).
std::vector<OpeningCurrency> OpeningCurrencies(data::Connection& db);

// The rows shown for a currency in code order: for 99 every subject's
// all-currency row, for any other currency its detail rows; with
// `levelOneOnly` only codes of the level-1 length.
std::vector<OpeningRow> LoadOpeningRows(data::Connection& db, const base::CodeStructure& structure, int moneyId,
                                        bool levelOneOnly);

// The total line "合计" of a list: for currency 99 the grand-total row
// "99999" as the totals last wrote it (the sum of the level-1 subjects),
// otherwise the sum of the rows. Its balances are debit-positive nets.
OpeningRow LoadTotalLine(data::Connection& db, int moneyId, const std::vector<OpeningRow>& rows);

}  // namespace qj::subjects
