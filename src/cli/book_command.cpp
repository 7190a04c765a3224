#include <charconv>
#include <filesystem>
#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/login.h"
#include "host/book_creation.h"
#include "host/book_locations.h"
#include "host/book_record_store.h"
#include "host/host_error.h"
#include "host/user_store.h"
#include "package/starting_chart.h"

namespace qj::cli {
namespace {

Period parseMonth(const std::string& text) {
  // YYYY-MM
  int year = 0;
  int month = 0;
  const char* end = text.data() + text.size();
  auto r1 = std::from_chars(text.data(), end, year);
  if (r1.ec != std::errc() || r1.ptr == end || *r1.ptr != '-' || r1.ptr - text.data() != 4)
    throw UsageError("期间应写作 YYYY-MM：" + text);
  auto r2 = std::from_chars(r1.ptr + 1, end, month);
  if (r2.ec != std::errc() || r2.ptr != end || month < 1 || month > 12)
    throw UsageError("期间应写作 YYYY-MM，月份 1 到 12：" + text);
  return Period{year, month};
}

std::vector<int> parseLevels(const std::string& text) {
  std::vector<int> segments;
  std::size_t from = 0;
  while (from <= text.size()) {
    std::size_t comma = text.find(',', from);
    if (comma == std::string::npos) comma = text.size();
    int value = 0;
    auto [end, ec] = std::from_chars(text.data() + from, text.data() + comma, value);
    if (ec != std::errc() || end != text.data() + comma) throw UsageError("科目编码结构应写作如 3,2,2,2：" + text);
    segments.push_back(value);
    from = comma + 1;
  }
  return segments;
}

bool parseFlag(const std::string& text, const std::string& option) {
  if (text == "T" || text == "yes" || text == "true") return true;
  if (text == "F" || text == "no" || text == "false") return false;
  throw UsageError("选项 --" + option + " 的值应为 T 或 F：" + text);
}

std::string periodText(int year, int month) {
  return std::to_string(year) + "-" + (month < 10 ? "0" : "") + std::to_string(month);
}

void printState(const host::BookSession& session, const std::string& user) {
  const AccountBooksData& book = session.record();
  std::cout << "帐套：" << session.location() << "\n"
            << "单位：" << book.CompanyName << "\n"
            << "启用期间：" << periodText(book.StartYear, book.StartMonth) << "\n"
            << "当前期间：" << periodText(book.CurrYear, book.CurrMon) << "\n"
            << "用户：" << user << "\n"
            << "凭证必须审核后才能登帐：" << (book.MustCheck ? "是" : "否") << "\n"
            << "制单人可以审核自己的凭证：" << (book.SameUser ? "是" : "否") << "\n";
}

int create(const Arguments& args) {
  host::NewBook book;
  book.location = args.need(1, "帐套位置 BOOK");
  const auto start = args.option("start");
  if (!start) throw UsageError("新建帐套需要 --start YYYY-MM");
  book.start = parseMonth(*start);

  if (auto company = args.option("company")) book.companyName = *company;
  if (auto scheme = args.option("scheme")) {
    if (*scheme != "1" && *scheme != "2" && *scheme != "3") throw UsageError("--scheme 应为 1、2 或 3");
    book.voucherTypeScheme = std::stoi(*scheme);
  }
  book.needCarryPL = !args.has("no-carry-pl");
  package::StartingChart chart = package::StartingChart::Empty;
  if (auto name = args.option("chart")) {
    if (*name == "standard")
      chart = package::StartingChart::SmallEnterprise;
    else if (*name == "legacy")
      chart = package::StartingChart::Legacy;
    else if (*name != "empty")
      throw UsageError("--chart 应为 standard、legacy 或 empty");
  }
  book.installChart = package::StartingChartInstaller(chart);
  // The small-enterprise chart numbers its level-1 subjects with four digits.
  if (chart == package::StartingChart::SmallEnterprise) book.segmentLengths = {4, 2, 2, 2};
  if (auto levels = args.option("levels")) book.segmentLengths = parseLevels(*levels);
  if (auto rule = args.option("subject-rule")) book.subjectRuleFlag = parseFlag(*rule, "subject-rule");
  host::CreateBook(book);
  std::cout << "已新建帐套：" << book.location << "\n";
  return kExitOk;
}

int show(const Arguments& args) {
  const std::string location = args.positional().size() > 1 ? args.positional()[1] : host::DefaultBookPath();
  Login login = LogIn(location, args.option("user").value_or(""));
  printState(*login.session, login.user);
  return kExitOk;
}

int options(const Arguments& args) {
  Login login = LogIn(args.need(1, "帐套位置 BOOK"), args.option("user").value_or(""));
  if (!host::UserStore(login.session->db()).isAdministrator(login.user))
    throw host::HostError("只有系统管理员可以修改帐套选项");
  AccountBooksData& book = login.session->record();
  bool mustCheck = book.MustCheck;
  bool sameUser = book.SameUser;
  if (auto value = args.option("must-check")) mustCheck = parseFlag(*value, "must-check");
  if (auto value = args.option("same-user")) sameUser = parseFlag(*value, "same-user");
  host::WriteAuditOptions(login.session->db(), mustCheck, sameUser);
  login.session->reload();
  printState(*login.session, login.user);
  return kExitOk;
}

}  // namespace

int RunBook(const std::vector<std::string>& words) {
  const Arguments args(
      words, {"start", "levels", "company", "scheme", "chart", "subject-rule", "user", "must-check", "same-user"},
      {"no-carry-pl"});
  const std::string& action = args.need(0, "book 的子命令（create、show、options）");
  if (action == "create") return create(args);
  if (action == "show") return show(args);
  if (action == "options") return options(args);
  throw UsageError("不认识的 book 子命令：" + action);
}

int RunDefault() {
  bool created = false;
  const std::string path =
      host::EnsureDefaultBook(package::StartingChartInstaller(package::StartingChart::SmallEnterprise), &created);
  if (created) std::cout << "首次使用，已新建默认帐套。\n";
  Login login = LogIn(path, "");
  printState(*login.session, login.user);
  return kExitOk;
}

}  // namespace qj::cli
