#include "package/starting_chart.h"

#include <utility>

#include "cashflow/statement_items.h"
#include "hostapi/refusal.h"
#include "subjects/chart_rules.h"
#include "subjects/national_chart.h"
#include "subjects/standard_chart.h"
#include "subjects/subject_import.h"

namespace qj::package {
namespace {

void importChart(data::Connection& db, const subjects::ChartRules& rules, std::string_view csv) {
  const subjects::ImportReport report = subjects::ImportSubjectsInto(db, rules, csv);
  if (report.problems.empty()) return;
  constexpr std::size_t kShown = 10;
  std::string message = "科目表文件有 " + std::to_string(report.problems.size()) + " 行不能导入，帐套没有建立：";
  for (std::size_t i = 0; i < report.problems.size() && i < kShown; ++i)
    message += "\n第 " + std::to_string(report.problems[i].line) + " 行：" + report.problems[i].refusal.text;
  if (report.problems.size() > kShown) message += "\n……";
  throw RefusalError({message});
}

}  // namespace

void InstallStartingChart(data::Connection& db, const base::CodeStructure& structure, bool subjectRuleFlag,
                          StartingChart chart, std::string_view csv) {
  switch (chart) {
    case StartingChart::Empty:
      break;
    case StartingChart::SmallEnterprise:
      if (!subjects::NationalChartFits(structure))
        throw RefusalError({"小企业会计准则科目表的一级科目编码为 4 位，不能用于编码结构 " + structure.describe()});
      subjects::InstallNationalChart(db, structure);
      cashflow::InstallStatementItems(db);
      break;
    case StartingChart::Legacy:
      if (!subjects::StandardChartFits(structure))
        throw RefusalError({"旧科目表的一级科目编码为 3 位，不能用于编码结构 " + structure.describe()});
      subjects::InstallStandardChart(db, structure);
      break;
    case StartingChart::Imported:
      importChart(db, subjects::ChartRules{structure, subjectRuleFlag}, csv);
      break;
  }
}

ChartInstaller StartingChartInstaller(StartingChart chart, std::string csv) {
  return
      [chart, csv = std::move(csv)](data::Connection& db, const base::CodeStructure& structure, bool subjectRuleFlag) {
        InstallStartingChart(db, structure, subjectRuleFlag, chart, csv);
      };
}

}  // namespace qj::package
