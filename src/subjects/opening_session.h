// The two ways into the opening-balance screen and the lock each holds while
// the screen is open.
#pragma once

#include <functional>

#include "hostapi/host_services.h"

namespace qj::subjects {

inline constexpr const char* kStartPeriodMessage =
    "只有在开帐期间，且无任何凭证登帐的情况下，才可以对帐务初始数据进行调整。";
inline constexpr const char* kAdjustmentLockedMessage =
    "初始数据调整需独占帐务系统，现在有其他用户正在使用帐务系统，请其他用户退出使用帐务系统后再登帐。";
inline constexpr const char* kInitialisationLockedMessage = "帐套初始化已锁定，请稍后再试！";

enum class OpeningEntry {
  FirstTime,   // "FRISTSUBJECTINITLIST_FRM": the book's initialisation, under ACCLOCK
  Adjustment,  // "SUBJECTINITLIST_FRM": adjusting opening data, under CREDLOCK in the start period
};

// Runs `show` (the screen, shown modally) while the entry's lock is held; the
// lock is released on every way out, also when `show` throws. An adjustment
// needs the start period with nothing posted, tested before the lock is asked
// for and again, on the book record read afresh, once it is held (a posting or
// a period close may have slipped in between).
// Returns false, after telling the user why, when the screen may not open.
bool RunOpeningSession(HostServices& host, OpeningEntry entry, const std::function<void()>& show);

}  // namespace qj::subjects
