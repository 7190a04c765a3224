// The posting screen "凭证登帐" and the reverse-posting screen "反登帐" on Qt.
#pragma once

#include <memory>

#include "base/screen_registry.h"

namespace qj::periodend {

// The registry's makers of the two screens, on the attached host.
std::unique_ptr<base::Screen> PostingScreen(HostServices& host);
std::unique_ptr<base::Screen> UnpostingScreen(HostServices& host);

}  // namespace qj::periodend
