// qingjian-cli close|reopen: the period close and the reverse close, through
// the same rules, lock and messages as their screens.
#include <iostream>

#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "periodend/period_close.h"

namespace qj::cli {
namespace {

std::string periodText(const AccountBooksData& book) {
  return std::to_string(book.CurrYear) + "年" + std::to_string(book.CurrMon) + "月";
}

}  // namespace

int RunClose(const std::vector<std::string>& words) {
  const Arguments args(words, {"user"}, {});
  CliSession session("close", args, false, 0);
  const std::string closing = periodText(session.app.accountBooksData());
  if (!periodend::RunPeriodClose(session.app)) return kExitRefused;
  session.printMessages();
  std::cout << "已结帐：" << closing << "。当前会计期间：" << periodText(session.app.accountBooksData()) << "\n";
  return kExitOk;
}

int RunReopen(const std::vector<std::string>& words) {
  const Arguments args(words, {"user", "answer"}, {"delete-carry"});
  CliSession session("reopen", args, AnswerYes(args), 0);
  const std::string leaving = periodText(session.app.accountBooksData());
  if (!periodend::RunReopenPeriod(session.app, args.has("delete-carry"))) return kExitRefused;
  session.printMessages();
  std::cout << "已反结帐：离开" << leaving << "。当前会计期间：" << periodText(session.app.accountBooksData()) << "\n";
  return kExitOk;
}

}  // namespace qj::cli
