// The month's home page, the first thing a bookkeeper sees on the empty work
// area: the book and its current period, what is left to do this month, and
// the month's steps in order, each open only when the book's state and the
// user's rights allow it, with the reason where not.
#pragma once

#include <string>
#include <vector>

#include "desktop/screen_access.h"

namespace qj::host {
class HostApplication;
}

namespace qj::desktop {

struct HomeStep {
  std::string key;    // the screen's form-name key
  std::string title;  // the button text
  bool enabled = false;
  std::string reason;  // why it is not enabled; "" when it is
};

struct MonthHome {
  std::string company;
  std::string period;              // "2011年07月"
  std::vector<std::string> facts;  // one line each: vouchers, profit and loss, close
  std::vector<HomeStep> steps;  // 填制凭证 → 审核凭证 → 凭证登帐 → 结转损益 → 期末调汇 → 期末结帐
  std::vector<HomeStep> ledgers;  // the ledgers and reports
};

// Reads the book's current state; a database failure goes to the host's
// handler and leaves the steps closed.
MonthHome BuildMonthHome(host::HostApplication& host, const ScreenAvailability& available);

}  // namespace qj::desktop
