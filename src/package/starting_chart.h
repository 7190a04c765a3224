// The chart of accounts a new book starts with.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/code_structure.h"
#include "data/connection.h"

namespace qj::package {

enum class StartingChart {
  Empty,            // no subjects
  SmallEnterprise,  // the small-enterprise chart and cash-flow items; four-digit level-1 codes
  Legacy,           // the older small-business chart; three-digit level-1 codes
  Imported,  // the subjects of a CSV text (科目编码,科目名称,余额方向,外币核算,币种,现金流量,助记码)
};

// Writes `chart` into a book being created, inside the caller's transaction;
// `csv` holds an imported chart's rows. Throws RefusalError when the chart does
// not fit the code structure or imported rows are bad (each told by its line).
void InstallStartingChart(data::Connection& db, const base::CodeStructure& structure, bool subjectRuleFlag,
                          StartingChart chart, std::string_view csv = {});

// The same, as the chart installer a new book carries to the host.
using ChartInstaller = std::function<void(data::Connection&, const base::CodeStructure&, bool subjectRuleFlag)>;
ChartInstaller StartingChartInstaller(StartingChart chart, std::string csv = {});

}  // namespace qj::package
