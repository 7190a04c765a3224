// The carry-forward screen "结转本期损益" on Qt.
#pragma once

#include <memory>

#include "base/screen_registry.h"

namespace qj::periodend {

// The registry's maker of the screen.
std::unique_ptr<base::Screen> CarryForwardScreen(HostServices& host);

}  // namespace qj::periodend
