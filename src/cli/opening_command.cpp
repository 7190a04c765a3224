// qingjian-cli opening: the opening balances through the rules of the
// opening-balance screen (set), its trial check (check) and its list (show).
#include <algorithm>
#include <charconv>
#include <iostream>
#include <set>

#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "cli/login.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "subjects/opening_columns.h"
#include "subjects/opening_layout.h"
#include "subjects/opening_listing_queries.h"
#include "subjects/opening_model.h"
#include "subjects/opening_row_store.h"
#include "subjects/opening_session.h"
#include "subjects/opening_total_store.h"
#include "subjects/opening_trial.h"

namespace qj::cli {
namespace {

using subjects::OpeningField;

// The amount options of "opening set", in the order they are entered: the
// transaction-currency amounts first, since each sets its local twin, which
// a local amount given alongside then replaces.
constexpr std::pair<const char*, OpeningField> kAmountOptions[] = {
    {"raw-debit", OpeningField::RawDebit},     {"raw-credit", OpeningField::RawCredit},
    {"raw-balance", OpeningField::RawBalance}, {"debit", OpeningField::Debit},
    {"credit", OpeningField::Credit},          {"balance", OpeningField::Balance},
    {"pl", OpeningField::ProfitLoss}};

int parseCurrency(const Arguments& args) {
  const std::string text = args.option("currency").value_or("0");
  int value = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > subjects::kAllCurrencies)
    throw UsageError("--currency 应为 0 到 99 的币种编号：" + text);
  return value;
}

void printList(const std::vector<subjects::OpeningColumn>& columns, const std::vector<subjects::OpeningRow>& rows,
               const subjects::OpeningRow& total) {
  std::string line;
  for (const auto& column : columns) line += (line.empty() ? "" : "\t") + column.title;
  std::cout << line << "\n";
  const auto print = [&](const subjects::OpeningRow& row) {
    std::string cells;
    for (std::size_t i = 0; i < columns.size(); ++i)
      cells += (i == 0 ? "" : "\t") + subjects::OpeningCellText(row, columns[i]);
    std::cout << cells << "\n";
  };
  for (const auto& row : rows) print(row);
  print(total);
}

// Why an amount cannot be entered into a row's cell.
std::string whyNotEditable(const subjects::OpeningModel& model) {
  if (model.readOnly()) return "没有修改帐务初始数据的权限，不能修改初始数据。";
  if (model.view() == subjects::OpeningView::Aggregate)
    return "综合本位币的初始数据由各币种汇总而成，请在各币种下录入。";
  return "本位币没有原币金额，请用 --debit、--credit、--balance 录入。";
}

int set(const Arguments& args) {
  const std::string& subject = args.need(2, "科目编码 SUBJECT");
  const int moneyId = parseCurrency(args);
  std::vector<std::pair<OpeningField, std::string>> amounts;
  for (const auto& [option, field] : kAmountOptions) {
    const auto value = args.option(option);
    if (!value) continue;
    try {
      ParseEnteredAmount(*value);
    } catch (const MoneyError& error) {
      throw UsageError("--" + std::string(option) + " " + error.what());
    }
    amounts.emplace_back(field, *value);
  }
  if (amounts.empty()) throw UsageError("opening set 需要金额，如 --balance 1000.00");
  bool answerYes = true;
  if (auto answer = args.option("answer")) {
    if (*answer != "yes" && *answer != "no") throw UsageError("--answer 应为 yes 或 no");
    answerYes = *answer == "yes";
  }

  CliSession session("opening set", args, answerYes);
  host::HostApplication& app = session.app;
  int exitCode = kExitRefused;
  subjects::RunOpeningSession(app, subjects::OpeningEntry::Adjustment, [&] {
    subjects::OpeningModel model(app);
    if (!model.open()) return;
    model.chooseCurrency(moneyId);
    if (model.currency().moneyId != moneyId) {
      std::cout << "帐套中没有编号为 " << moneyId << " 的币种。\n";
      return;
    }
    const auto row = model.findRow(subject);
    if (!row) {
      std::cout << "科目 " << subject << " 在" << model.currency().name
                << "下没有可录入的初始数据（科目不存在、不是明细科目或不核算该币种）。\n";
      return;
    }
    for (const auto& [field, text] : amounts) {
      if (!model.cellEditable(*row, field)) {
        std::cout << whyNotEditable(model) << "\n";
        return;
      }
      if (!model.editCell(*row, field, text)) return;
    }
    if (!model.pressClose()) return;
    session.printMessages();
    printList(model.columns(), {model.rows()[*row]}, model.total());
    exitCode = kExitOk;
  });
  return exitCode;
}

int check(const Arguments& args) {
  CliSession session("opening check", args, false);
  const base::CodeStructure structure(session.login.session->record().SubjectLevelLen);
  const subjects::TrialFigures figures = subjects::RunTrialBalance(session.app.FindStartupDB(), structure);
  std::cout << "【" << subjects::TrialBalanceCaption(figures) << "】" << subjects::TrialBalanceMessage(figures) << "\n";
  return figures.balanced() ? kExitOk : kExitRefused;
}

int show(const Arguments& args) {
  const bool trialSheet = args.has("trial");
  const int moneyId = trialSheet ? subjects::kAllCurrencies : parseCurrency(args);
  CliSession session("opening show", args, false);
  data::Connection& db = session.app.FindStartupDB();
  const base::CodeStructure structure(session.login.session->record().SubjectLevelLen);
  const auto currencies = subjects::OpeningCurrencies(db);
  const auto chosen = std::find_if(currencies.begin(), currencies.end(),
                                   [&](const subjects::OpeningCurrency& c) { return c.moneyId == moneyId; });
  if (chosen == currencies.end()) {
    std::cout << "帐套中没有编号为 " << moneyId << " 的币种。\n";
    return kExitRefused;
  }
  subjects::CreateSubjectStartData(db);
  if (moneyId == subjects::kAllCurrencies) subjects::ReWriteSubjectDataTotal(db, structure);
  const auto rows = subjects::LoadOpeningRows(db, structure, moneyId, args.has("level1"));
  std::cout << "币种选择：" << chosen->name;
  if (subjects::ViewOfCurrency(moneyId) == subjects::OpeningView::Foreign)
    std::cout << "　汇率：" << chosen->rate.toString();
  std::cout << "\n";
  const auto view = trialSheet ? subjects::OpeningView::TrialSheet : subjects::ViewOfCurrency(moneyId);
  printList(subjects::OpeningColumns(view, true), rows, subjects::LoadTotalLine(db, moneyId, rows));
  return kExitOk;
}

}  // namespace

int RunOpening(const std::vector<std::string>& words) {
  std::set<std::string> valued = {"user", "currency", "answer"};
  for (const auto& [option, field] : kAmountOptions) valued.insert(option);
  const Arguments args(words, valued, {"level1", "trial"});
  const std::string& action = args.need(0, "opening 的子命令（set、check、show）");
  if (action == "set") return set(args);
  if (action == "check") return check(args);
  if (action == "show") return show(args);
  throw UsageError("不认识的 opening 子命令：" + action);
}

}  // namespace qj::cli
