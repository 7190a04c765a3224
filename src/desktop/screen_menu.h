// The finance menus of the main window: every screen of the package's screen
// table, under the menu the table names, in table order.
#pragma once

#include <string>
#include <vector>

namespace qj::desktop {

// The menus in menu-bar order (the order in which the table's screens name them).
std::vector<std::string> ScreenMenuGroups();

}  // namespace qj::desktop
