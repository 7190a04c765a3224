// Whether the user can open a package screen from the desktop, and if not why:
// the one answer the menus and the month's home page both give.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace qj::host {
class HostApplication;
}

namespace qj::desktop {

// Tells whether this build of the package has the screen of a key.
using ScreenAvailability = std::function<bool(const std::string& key)>;

// Nothing when the screen may be opened; otherwise the reason, for a tooltip.
std::optional<std::string> ScreenRefusal(host::HostApplication& host, const ScreenAvailability& available,
                                         const std::string& key);

}  // namespace qj::desktop
