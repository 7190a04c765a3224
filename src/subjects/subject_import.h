// Loading a chart kept elsewhere from CSV text, one subject a row:
//   科目编码,科目名称,余额方向,外币核算,币种,现金流量,助记码
// (a first row of these headings is skipped). Direction 借 or 贷; foreign
// currency 0 不核算外币, 1 核算单一外币 (with the currency's MONEYID), 2
// 核算所有外币; cash flow 是 or 否. Every row passes the rules of the add
// dialog, parents before their sub-accounts whatever the order of the rows;
// all rows are stored or none.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "subjects/chart_rules.h"

namespace qj::subjects {

struct ImportProblem {
  int line = 0;
  Refusal refusal;
};

struct ImportReport {
  int stored = 0;                       // subjects added; 0 when any row failed
  std::vector<ImportProblem> problems;  // every failing row, by line
};

// Nothing when the user lacks privilege 8 (add); the host has said so.
std::optional<ImportReport> ImportSubjects(HostServices& host, std::string_view csv);

// The import itself, for a book being made: inside the caller's transaction
// (a savepoint), which keeps nothing of it when any row fails.
ImportReport ImportSubjectsInto(data::Connection& db, const ChartRules& rules, std::string_view csv);

}  // namespace qj::subjects
