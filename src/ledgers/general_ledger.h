// The general ledger (总分类帐): for every subject down to a level, its
// opening balance and each month's movement and year-to-date movement with
// the month's closing balance, from the posted balances.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"
#include "hostapi/refusal.h"
#include "ledgers/ledger_filter.h"

namespace qj::ledgers {

struct GeneralLedgerFilter {
  int year = 0;
  int fromMonth = 1;
  int toMonth = 12;
  int level = 1;  // subjects of levels 1 down to this one
  int currency = base::kLocalCurrency;
  bool omitIdleMonths = false;  // 无发生额不显示
  CodeRange subjects;           // an empty bound leaves that end open

  [[nodiscard]] bool foreign() const { return base::IsForeignCurrency(currency); }
};

inline constexpr int kLastGeneralLedgerLevel = 5;

// The filter's refusals: a year or month outside the calendar, a start
// month after the end month.
std::optional<Refusal> ValidateGeneralLedgerFilter(const GeneralLedgerFilter& filter);

// The filter the dialog opens with: the current year from its first month
// to the current one, level 1, local currency, every subject.
GeneralLedgerFilter DefaultGeneralLedgerFilter(const AccountBooksData& book);

enum class GeneralRowKind { Opening, PeriodTotal, YearTotal };

struct GeneralLedgerRow {
  GeneralRowKind kind = GeneralRowKind::Opening;
  std::string subjectId;
  std::string subjectName;
  int month = 0;  // the month of the row
  std::string_view summary;
  Money rawDebit, debit, rawCredit, credit;
  // The balance as its absolute value on the side `side` names ("借", "贷", "平").
  Money rawBalance, balance;
  std::string_view side;
};

// "7月".
std::string PeriodText(int month);

// The general ledger's rows, subject after subject in code order. The level
// is held to the book's levels; no balance rows in range is an empty ledger.
std::vector<GeneralLedgerRow> BuildGeneralLedger(data::Connection& db, const base::CodeStructure& structure,
                                                 const GeneralLedgerFilter& filter);

}  // namespace qj::ledgers
