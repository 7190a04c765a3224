#include "base/screen_preconditions.h"

namespace qj::base {

std::optional<Refusal> ScreenPreconditionRefusal(const ScreenEntry& entry, HostServices& host) {
  // Opening cash-flow data belong to the months of the start year before the
  // start month: a book started in January has none.
  if (entry.key == "CASHFLUXIONINIT_FRM" && host.accountBooksData().StartMonth <= 1)
    return Refusal{kJanuaryStartMessage, kJanuaryStartCaption, msgbox::IconInformation};
  // Some industries close the year without carrying profit and loss monthly.
  if (entry.key == "TRANSFERPROFITLOSS_FRM" && !host.accountBooksData().NeedCarryPL)
    return Refusal{kNoCarryNeeded, caption::Notice};
  return std::nullopt;
}

}  // namespace qj::base
