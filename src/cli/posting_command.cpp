// qingjian-cli post|unpost: posting the current period into the balances and
// reversing it, through the same rules, locks and messages as the screens.
#include <iostream>

#include "cli/arguments.h"
#include "cli/book_session.h"
#include "cli/commands.h"
#include "periodend/posting.h"
#include "periodend/unposting.h"

namespace qj::cli {

int RunPost(const std::vector<std::string>& words) {
  const Arguments args(words, {"user"}, {"allow-gaps"});
  CliSession session("post", args, false, 0);
  const bool posted = periodend::RunPosting(session.app, !args.has("allow-gaps"));
  return posted ? kExitOk : kExitRefused;
}

int RunUnpost(const std::vector<std::string>& words) {
  const Arguments args(words, {"user"}, {});
  CliSession session("unpost", args, false, 0);
  return periodend::RunUnposting(session.app) ? kExitOk : kExitRefused;
}

}  // namespace qj::cli
