// 期末结帐 and 反结帐: the current period closed (its profit and loss
// recorded, every balance rolled into the next month, which becomes current)
// and reopened one month back.
#pragma once

#include <optional>
#include <string>

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/period.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"

namespace qj::periodend {

inline constexpr const char* kCloseLockRefused =
    "期末结帐需独占帐套，现在有其他用户正在使用该账套，请其他用户退出使用该帐套后再进行期末结帐。";
inline constexpr const char* kProfitLossLeft = "损益类科目期末余额未清空，请先执行'结转本期损益'功能，然后再结帐。";
inline constexpr const char* kInventoryNotClosed =
    "当前进销存期间小于等于当前会计期间。\n请先对进销存期间作结帐，再进行会计期间结帐";
inline constexpr const char* kBeforeStart = "不能反结帐到启用会计期间之前。";
inline constexpr const char* kDepreciationQuestion = "本期已计提折旧，反结帐将删除本期计提折旧凭证，是否继续?";
inline constexpr const char* kDisposalsInPeriod =
    "本期已有固定资产被清理，不可以反计提折旧，也不可以反结帐，反启用帐套，除非在《固定资产减少》单据中将本期清理的固"
    "定资产删除，恢复非清理状态。";

struct PeriodContext {
  Period period;  // the current period
  Period start;   // the book's start period
  base::CodeStructure structure{{}};
  bool needCarry = true;      // the industry carries profit and loss monthly
  std::string profitSubject;  // the current-year-profit subject; empty when the book names none
  // The inventory module's current period when the book is linked to it.
  std::optional<Period> inventoryPeriod;
};

// The context of the host's open book.
PeriodContext PeriodContextOf(HostServices& host);

// Closes the period inside the caller's transaction: refuses while a linked
// inventory module has not closed the month yet, while vouchers
// are unposted or (where the industry carries) profit-and-loss subjects keep
// a balance; otherwise records the period's profit and loss, rolls
// ProfitAndLoss, Balance and the fixed-asset surplus records into the next
// month and makes it current. Nothing is written before a refusal.
std::optional<Refusal> ClosePeriod(data::Connection& db, const PeriodContext& context);

// The close screen's OK and the command line: under ACCLOCK, in one
// transaction; the host's record and the main window's caption follow the
// commit. A refusal or failure is shown. True when the period was closed.
bool RunPeriodClose(HostServices& host);

// Reopens the month before the current one inside the caller's transaction:
// the current month's vouchers become unposted and its period rows go; with
// `deleteCarryVouchers` the reopened month's carry-forward vouchers are
// deleted and taken out of its balances; the reopened month's profit-and-loss
// rows are set back to what they were before it was closed.
std::optional<Refusal> ReopenPreviousPeriod(data::Connection& db, const PeriodContext& context,
                                            bool deleteCarryVouchers);

// The reverse-close screen's OK and the command line: refuses in the start
// period, asks before deleting the period's depreciation voucher, then works
// under ACCLOCK in one transaction. True when the previous month was reopened.
bool RunReopenPeriod(HostServices& host, bool deleteCarryVouchers);

}  // namespace qj::periodend
