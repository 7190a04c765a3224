// qingjian-cli subject list|add|modify|delete|import: the chart of accounts
// through the same rules as the maintenance screen, every message printed.
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "cli/login.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "subjects/add_subject.h"
#include "subjects/delete_subject.h"
#include "subjects/modify_subject.h"
#include "subjects/subject_classes.h"
#include "subjects/subject_dialog_model.h"
#include "subjects/subject_import.h"
#include "subjects/subject_store.h"

namespace qj::cli {
namespace {

using subjects::SaveResult;

bool parseDirection(const std::string& text) {
  if (text == "借" || text == "debit") return true;
  if (text == "贷" || text == "credit") return false;
  throw UsageError("--direction 应为 借 或 贷：" + text);
}

bool parseYesNo(const std::string& text, const std::string& option) {
  if (text == "是" || text == "T") return true;
  if (text == "否" || text == "F") return false;
  throw UsageError("--" + option + " 应为 是 或 否：" + text);
}

// The options that edit a draft, as the dialog's fields would.
void applyOptions(const Arguments& args, subjects::SubjectDraft& draft) {
  if (auto name = args.option("name")) draft.name = *name;
  if (auto direction = args.option("direction")) draft.debit = parseDirection(*direction);
  if (auto wb = args.option("foreign")) {
    draft.foreignCurrency = ParseInteger(*wb, "--foreign");
    if (draft.foreignCurrency != subjects::foreign::Single) draft.moneyId = 0;
  }
  if (auto currency = args.option("currency")) draft.moneyId = ParseInteger(*currency, "--currency");
  if (auto cash = args.option("cash-flow")) draft.cashFlow = parseYesNo(*cash, "cash-flow");
  if (auto help = args.option("help-code")) draft.helpCode = *help;
  if (auto counterparty = args.option("counterparty"))
    draft.counterparty = ParseInteger(*counterparty, "--counterparty");
}

int exitOf(SaveResult result) { return result == SaveResult::Saved ? kExitOk : kExitRefused; }

int list(const Arguments& args) {
  std::optional<int> only;
  if (auto k = args.option("class")) only = ParseInteger(*k, "--class");
  CliSession session("subject list", args, false);
  const auto& wb = subjects::SubjectDialogModel::ForeignCurrencyChoices();
  for (int k = subjects::kFirstClass; k <= subjects::kLastClass; ++k) {
    if (only && *only != k) continue;
    for (const auto& s : subjects::ClassSubjects(session.app.FindStartupDB(), k)) {
      const auto choice = static_cast<std::size_t>(s.foreignCurrency);
      std::cout << s.code << '\t' << s.name << '\t' << (s.debit ? "借" : "贷") << '\t' << (s.detail ? "明细" : "汇总")
                << '\t' << (choice < wb.size() ? wb[choice] : std::to_string(s.foreignCurrency))
                << (s.foreignCurrency == subjects::foreign::Single ? "(" + std::to_string(s.moneyId) + ")" : "") << '\t'
                << (s.cashFlow ? "现金流量" : "") << '\t' << s.helpCode << "\n";
    }
  }
  return kExitOk;
}

int add(const Arguments& args, bool answerYes) {
  const std::string& code = args.need(2, "科目编码 CODE");
  subjects::SubjectDraft draft;
  draft.name = args.need(3, "科目名称 NAME");
  applyOptions(args, draft);
  CliSession session("subject add", args, answerYes);
  const auto plan = subjects::PlanAddOfCode(session.app, code);
  if (!plan) return kExitRefused;
  draft.segment = code.substr(plan->parent.size());
  const SaveResult result = subjects::AddSubject(session.app, *plan, draft);
  session.printMessages();
  if (result == SaveResult::Saved) std::cout << "已增加科目：" << code << " " << draft.name << "\n";
  return exitOf(result);
}

int modify(const Arguments& args) {
  const std::string& code = args.need(2, "科目编码 CODE");
  CliSession session("subject modify", args, false);
  const auto subject = subjects::PlanModify(session.app, code);
  if (!subject) return kExitRefused;
  const auto rules = subjects::ChartRules::Of(session.app.accountBooksData());
  subjects::SubjectDraft draft = subjects::DraftOf(rules, *subject);
  applyOptions(args, draft);
  std::string newCode = code;
  if (auto changed = args.option("code")) {
    const std::string prefix = subjects::FixedPrefixOf(rules, code);
    if (!changed->starts_with(prefix)) throw UsageError("新编码必须以上级科目编码 " + prefix + " 开头：" + *changed);
    draft.segment = changed->substr(prefix.size());
    newCode = *changed;
  }
  const SaveResult result = subjects::ModifySubject(session.app, code, draft);
  session.printMessages();
  if (result == SaveResult::Saved) std::cout << "已修改科目：" << newCode << " " << draft.name << "\n";
  return exitOf(result);
}

int remove(const Arguments& args, bool answerYes) {
  const std::string& code = args.need(2, "科目编码 CODE");
  CliSession session("subject delete", args, answerYes);
  const SaveResult result = subjects::DeleteSubject(session.app, code);
  session.printMessages();
  if (result == SaveResult::Saved) std::cout << "已删除科目：" << code << "\n";
  return exitOf(result);
}

int import(const Arguments& args) {
  const std::string& path = args.need(2, "文件 FILE.csv");
  std::ifstream file(path, std::ios::binary);
  if (!file) throw UsageError("无法读取文件：" + path);
  std::ostringstream text;
  text << file.rdbuf();
  CliSession session("subject import", args, false);
  const auto report = subjects::ImportSubjects(session.app, text.str());
  if (!report) return kExitRefused;
  for (const auto& problem : report->problems)
    std::cout << "第 " << problem.line << " 行：【" << problem.refusal.caption << "】" << problem.refusal.text << "\n";
  if (!report->problems.empty()) {
    std::cout << "有 " << report->problems.size() << " 行未通过检查，没有导入任何科目。\n";
    return kExitRefused;
  }
  std::cout << "已导入 " << report->stored << " 个科目。\n";
  return kExitOk;
}

}  // namespace

int RunSubject(const std::vector<std::string>& words) {
  const Arguments args(words,
                       {"user", "answer", "class", "code", "name", "direction", "foreign", "currency", "cash-flow",
                        "help-code", "counterparty"},
                       {});
  const std::string& action = args.need(0, "subject 的子命令（list、add、modify、delete、import）");
  const bool answerYes = AnswerYes(args);
  if (action == "list") return list(args);
  if (action == "add") return add(args, answerYes);
  if (action == "modify") return modify(args);
  if (action == "delete") return remove(args, answerYes);
  if (action == "import") return import(args);
  throw UsageError("不认识的 subject 子命令：" + action);
}

}  // namespace qj::cli
