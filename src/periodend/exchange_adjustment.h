// 期末调汇: every foreign-currency balance of a detail subject restated at the
// period-end rate, the differences booked by one machine-made voucher against
// the exchange gain-and-loss subject the user names.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "data/date.h"
#include "data/money.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "vouchers/voucher_draft.h"

namespace qj::periodend {

// The source kind (AccountVoucherType) of the adjustment voucher.
inline constexpr int kExchangeAdjustmentKind = 101;
inline constexpr const char* kAdjustmentSummary = "结转汇兑损益";
inline constexpr const char* kAdjustmentLockRefused =
    "期末调汇需独占帐务系统，现在有其他用户正在使用帐务系统，请其他用户退出使用帐务系统后再进行期末调汇。";
inline constexpr const char* kAdjustmentUnposted = "本期尚有凭证未登帐，不能进行期末调汇";
inline constexpr const char* kRateRefused = "期末汇率不能为空，且不能小于零";
inline constexpr const char* kAdjustmentDone = "期末调汇成功！";

// A detail subject's foreign-currency ending balance with its currency's
// period-end rate.
struct ForeignBalance {
  std::string subject;
  int moneyId = 0;
  Money rate;
  Money endRawDebit, endRawCredit;
  Money endDebit, endCredit;
};

struct AdjustmentSetting {
  Date date;                // the last day of the current period
  std::int64_t typeId = 1;  // the voucher word
  std::string gainLossSubject;
  std::string auditor;  // set: the voucher is made audited by this user
};

// The adjustment voucher, built in memory: a line per balance whose local
// ending differs from foreign ending × rate (both to the fen), then the
// balancing line on the gain-and-loss subject. Nothing when no balance differs.
std::optional<vouchers::CheckedVoucher> BuildExchangeAdjustment(const std::vector<ForeignBalance>& rows,
                                                                const AdjustmentSetting& setting);

struct AdjustmentOutcome {
  std::optional<std::string> credId;  // the voucher made, if any balance differed
  bool posted = false;
  std::optional<Refusal> postingFailure;  // made, but the posting that followed failed
};

// The screen's OK and the command line: stores the period-end rates given,
// checks that every currency with a balance has a rate above 0 and that the
// gain-and-loss subject is a detail subject, then under CREDLOCK (the
// unposted-voucher check made again there) writes the voucher in one
// transaction and, when asked, posts it at once. A refusal is shown and
// nothing is written.
std::optional<AdjustmentOutcome> RunExchangeAdjustment(HostServices& host, const std::map<int, Money>& rates,
                                                       const std::string& gainLossSubject, bool postAtOnce);

}  // namespace qj::periodend
