#include "subjects/subject_import.h"

#include <algorithm>
#include <charconv>
#include <variant>

#include "base/text_checks.h"
#include "subjects/add_subject.h"
#include "subjects/csv_rows.h"

namespace qj::subjects {
namespace {

constexpr std::size_t kColumns = 7;

struct ImportRow {
  int line = 0;
  std::string code;
  SubjectDraft draft;
};

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A row's fields as a draft (the segment is cut from the code later), or why not.
std::variant<ImportRow, Refusal> rowOf(const CsvRow& csv) {
  if (csv.fields.size() > kColumns)
    return Refusal{"列数过多，每行应为：科目编码,科目名称,余额方向,外币核算,币种,现金流量,助记码"};
  std::vector<std::string> f(kColumns);
  for (std::size_t i = 0; i < csv.fields.size(); ++i) {
    f[i] = trimmed(csv.fields[i]);
    if (auto fault = base::TextFault(f[i])) return Refusal{"第 " + std::to_string(i + 1) + " 列" + *fault};
  }
  ImportRow row{csv.line, f[0], {}};
  row.draft.name = f[1];
  if (f[2] == "借")
    row.draft.debit = true;
  else if (f[2] == "贷")
    row.draft.debit = false;
  else if (!f[2].empty())
    return Refusal{"余额方向应为“借”或“贷”：" + f[2]};
  if (f[3] == "1" || f[3] == "核算单一外币")
    row.draft.foreignCurrency = foreign::Single;
  else if (f[3] == "2" || f[3] == "核算所有外币")
    row.draft.foreignCurrency = foreign::All;
  else if (!f[3].empty() && f[3] != "0" && f[3] != "不核算外币")
    return Refusal{"外币核算应为 0、1 或 2：" + f[3]};
  if (!f[4].empty()) {
    const auto [end, ec] = std::from_chars(f[4].data(), f[4].data() + f[4].size(), row.draft.moneyId);
    if (ec != std::errc() || end != f[4].data() + f[4].size()) return Refusal{"币种应为币种编号：" + f[4]};
  }
  if (f[5] == "是")
    row.draft.cashFlow = true;
  else if (!f[5].empty() && f[5] != "否")
    return Refusal{"现金流量应为“是”或“否”：" + f[5]};
  row.draft.helpCode = f[6];
  return row;
}

// Where the row's subject goes; rows needing the interactive dialogs are refused.
std::variant<AddPlan, Refusal> planOf(data::Connection& db, const ChartRules& rules, const ImportRow& row) {
  auto checked = CheckAddOfCode(db, rules, row.code);
  if (const auto* plan = std::get_if<AddPlan>(&checked)) {
    if (plan->takesOverData)
      return Refusal{"科目'" + plan->parent + "'已经有单据发生或被引用，导入时不能在其下增加明细科目"};
    if (plan->kind == AddKind::Counterparty)
      return Refusal{"科目'" + plan->parent + "'的下级科目只能在科目维护中从客户或供应商资料增加"};
  }
  return checked;
}

}  // namespace

std::optional<ImportReport> ImportSubjects(HostServices& host, std::string_view csv) {
  if (!host.HasOvoPrivilege2(8, 2, true)) return std::nullopt;
  return ImportSubjectsInto(host.FindStartupDB(), ChartRules::Of(host.accountBooksData()), csv);
}

ImportReport ImportSubjectsInto(data::Connection& db, const ChartRules& rules, std::string_view csv) {
  ImportReport report;
  std::vector<ImportRow> rows;
  bool first = true;
  for (const CsvRow& read : ReadCsv(csv)) {
    const bool headings = first && trimmed(read.fields.front()) == "科目编码";
    first = false;
    if (headings) continue;
    auto parsed = rowOf(read);
    if (auto* refusal = std::get_if<Refusal>(&parsed))
      report.problems.push_back({read.line, *refusal});
    else
      rows.push_back(std::get<ImportRow>(std::move(parsed)));
  }
  // Parents first: a code sorts before every code it begins.
  std::stable_sort(rows.begin(), rows.end(), [](const ImportRow& a, const ImportRow& b) { return a.code < b.code; });

  data::Transaction tx(db);
  for (ImportRow& row : rows) {
    auto planned = planOf(db, rules, row);
    std::optional<Refusal> refusal;
    if (auto* plan = std::get_if<AddPlan>(&planned)) {
      row.draft.segment = row.code.substr(plan->parent.size());
      refusal = StoreNewSubject(db, rules, *plan, row.draft, false);
    } else {
      refusal = std::get<Refusal>(planned);
    }
    if (refusal)
      report.problems.push_back({row.line, *refusal});
    else
      ++report.stored;
  }
  std::stable_sort(report.problems.begin(), report.problems.end(),
                   [](const ImportProblem& a, const ImportProblem& b) { return a.line < b.line; });
  if (!report.problems.empty()) {
    report.stored = 0;
    return report;  // the transaction rolls back
  }
  tx.commit();
  return report;
}

}  // namespace qj::subjects
