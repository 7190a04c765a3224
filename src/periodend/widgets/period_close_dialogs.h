// The close screen "期末结帐" and the reverse-close screen "反结帐" on Qt.
#pragma once

#include <memory>

#include "base/screen_registry.h"

namespace qj::periodend {

// The registry's makers of the two screens.
std::unique_ptr<base::Screen> PeriodCloseScreen(HostServices& host);
std::unique_ptr<base::Screen> ReopenPeriodScreen(HostServices& host);

}  // namespace qj::periodend
