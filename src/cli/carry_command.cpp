// qingjian-cli carry: the profit-and-loss carry-forward of the current period,
// through the same rules, lock and messages as its screen.
#include <iostream>

#include "base/screen_preconditions.h"
#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "periodend/carry_forward.h"

namespace qj::cli {

int RunCarry(const std::vector<std::string>& words) {
  const Arguments args(words, {"user"}, {"opposite", "post"});
  CliSession session("carry", args, false, 0);
  if (!session.app.accountBooksData().NeedCarryPL) {
    std::cout << base::kNoCarryNeeded << "\n";
    return kExitRefused;
  }
  const auto direction =
      args.has("opposite") ? periodend::CarryDirection::OppositeToSubject : periodend::CarryDirection::AlwaysPositive;
  const bool post = args.has("post");
  const auto outcome = periodend::RunCarryForward(session.app, direction, post);
  session.printMessages();
  if (!outcome) return kExitRefused;
  if (outcome->credIds.empty()) {
    std::cout << periodend::kNothingToCarry << "\n";
    return kExitOk;
  }
  for (const std::string& credId : outcome->credIds) std::cout << "已生成凭证：" << credId << "\n";
  if (outcome->postingFailure) {
    std::cout << outcome->postingFailure->text << "\n";
    return kExitRefused;
  }
  if (post && outcome->posted < static_cast<std::int64_t>(outcome->credIds.size()))
    std::cout << "本帐套的凭证须审核后才能登帐，生成的凭证尚未登帐。\n";
  else if (post)
    std::cout << "共有" << outcome->posted << "张凭证被登帐\n";
  std::cout << periodend::kCarryDone << "\n";
  return kExitOk;
}

}  // namespace qj::cli
