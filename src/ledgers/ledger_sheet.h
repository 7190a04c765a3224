// The ledgers as lists of columns and cells: what the screens show, what is
// printed and exported, and what the command line writes, from one layout.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "data/date.h"
#include "data/money.h"
#include "ledgers/general_ledger.h"
#include "ledgers/ledger_row.h"

namespace qj::ledgers {

// The report types of the ledgers' print templates (PrintStyle.REPORTTYPE).
inline constexpr int kDetailLedgerReportType = 901;
inline constexpr int kJournalReportType = 902;
inline constexpr int kGeneralLedgerReportType = 903;

enum class SheetColumnKind { Text, Amount, Date };

struct SheetColumn {
  std::string name;  // field name, for templates and JSON keys
  std::string title;
  SheetColumnKind kind = SheetColumnKind::Text;
};

// An empty cell, text, an amount or a date. Amounts of 0 are empty cells.
using SheetCell = std::variant<std::monostate, std::string, Money, Date>;
using SheetRow = std::vector<SheetCell>;

enum class LedgerKind { Detail, Journal };

// The columns of a detail ledger or a journal: the foreign-currency layout
// (rate, foreign and local amounts) for a foreign currency. `withSubject`
// puts the ledger's subject code and name first, for lists of many subjects.
std::vector<SheetColumn> LedgerColumns(LedgerKind kind, bool foreign, bool withSubject);
// A row in those columns.
SheetRow LedgerCells(const LedgerRow& row, const LedgerSubject& subject, LedgerKind kind, bool foreign,
                     bool withSubject);

std::vector<SheetColumn> GeneralLedgerColumns(bool foreign);
SheetRow GeneralLedgerCells(const GeneralLedgerRow& row, bool foreign);

// The header line a ledger shows over one subject: "科目：(1001)现金 → 人民币".
std::string LedgerSubjectHeader(const LedgerSubject& subject, const std::string& currencyName);
// "会计年度：2011  会计期间：7 至 12".
std::string LedgerPeriodHeader(int year, int fromMonth, int toMonth);

}  // namespace qj::ledgers
