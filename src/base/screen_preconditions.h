// What must hold before SHOWFINANCEFORM opens a screen, once the user's
// privilege has been checked.
#pragma once

#include <optional>

#include "base/screen_table.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"

namespace qj::base {

inline constexpr const char* kJanuaryStartMessage = "帐套启用月份为一月，不需要输入现金流量初始数据。";
inline constexpr const char* kJanuaryStartCaption = "现金流量初始";
inline constexpr const char* kNoCarryNeeded = "你所选择的行业无需结转损益";

// Why the entry's screen may not open now; none when it may.
std::optional<Refusal> ScreenPreconditionRefusal(const ScreenEntry& entry, HostServices& host);

}  // namespace qj::base
