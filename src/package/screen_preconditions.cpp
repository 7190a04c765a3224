#include "package/screen_preconditions.h"

namespace qj::package {

std::optional<Refusal> ScreenPreconditionRefusal(const ScreenEntry& entry, HostServices& host) {
  // Opening cash-flow data belong to the months of the start year before the
  // start month: a book started in January has none.
  if (entry.key == "CASHFLUXIONINIT_FRM" && host.accountBooksData().StartMonth <= 1)
    return Refusal{kJanuaryStartMessage, kJanuaryStartCaption, msgbox::IconInformation};
  return std::nullopt;
}

}  // namespace qj::package
