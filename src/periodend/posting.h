// Posting: the unposted vouchers of the current period booked into Balance.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "balances/movements.h"
#include "base/code_structure.h"
#include "data/connection.h"
#include "data/period.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "periodend/posting_store.h"

namespace qj::periodend {

inline constexpr const char* kPostingLockRefused =
    "凭证登帐需独占帐务系统，现在有其他用户正在使用帐务系统，请其他用户退出使用帐务系统后再登帐。";

struct PostingContext {
  Period period;           // the book's current period
  bool mustCheck = false;  // only audited vouchers are posted
  std::string user;        // written to BILLPOST
  base::CodeStructure structure{{}};
  std::string fixedAssetSubject;  // reserved subject entry 0; empty when the book has none
};

// Vouchers' lines summed per subject and currency, spread over each subject's
// ancestors and the all-currency row: what posting them adds to Balance.
std::map<balances::BalanceKey, balances::Movement> SpreadMovements(const std::vector<ClaimedSum>& sums,
                                                                   const base::CodeStructure& structure);

// The context of the host's open book; loads the audit options from the book
// first (ReadAuditFlags, then host.SetAuditFlags).
PostingContext PostingContextOf(HostServices& host);

// Books every eligible voucher of the period — not yet posted, and audited
// when mustCheck — into Balance for its subjects and their ancestors, in each
// line's currency and in the all-currency row 99, updates the fixed-asset
// surplus records of fixed-asset and depreciation vouchers, and marks exactly
// those vouchers posted by the user. The set is claimed by one statement, so
// what is booked is what is marked. A voucher whose voucher word
// (AccountVoucherType row) is missing is booked and marked like any other.
// Runs in a savepoint of the caller's transaction (or its own transaction);
// on any error nothing of it remains. Returns the number of vouchers posted.
std::int64_t PostCurrentPeriod(data::Connection& db, const PostingContext& context);

// The same booking for chosen vouchers of the period (those not yet posted),
// whether or not they are audited: the machine-made vouchers of the period end.
std::int64_t PostVouchers(data::Connection& db, const PostingContext& context, const std::vector<std::string>& credIds);

// What the posting screen runs once it holds the lock: nothing while the month
// has no unposted vouchers; otherwise in one transaction the vouchers are
// claimed as PostCurrentPeriod claims them, the checks before posting read
// every line of the month (a fault is returned as its refusal and the claim
// rolled back), and the claimed lines summed on the way are booked. The
// month's orphan rows go in a transaction of their own when the checks refuse
// (before the refusal is returned) or meet one (and the pass is then taken
// again). The number of vouchers posted.
std::variant<std::int64_t, Refusal> PostCurrentPeriodChecked(data::Connection& db, const PostingContext& context,
                                                             bool stopOnGap);

// The posting screen's OK and the command line: takes "CREDLOCK", loads the
// audit options, runs PostCurrentPeriodChecked and, after its commit, reports
// "共有n张凭证被登帐" (n = 0 at once for a month without unposted vouchers). A
// refusal or a failure is shown and nothing is posted. True when the period
// was posted.
bool RunPosting(HostServices& host, bool stopOnGap);

}  // namespace qj::periodend
