// The exchange adjustment screen "期末调汇" on Qt.
#pragma once

#include <memory>

#include "base/screen_registry.h"

namespace qj::periodend {

// The registry's maker of the screen; nothing, after telling why, while the
// period has unposted vouchers.
std::unique_ptr<base::Screen> ExchangeAdjustmentScreen(HostServices& host);

}  // namespace qj::periodend
