// The finance menus of the main window: every screen of the package, under
// the menu a bookkeeper looks for it in.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace qj::desktop {

struct ScreenMenuEntry {
  const char* key;    // form-name key of SHOWFINANCEFORM
  const char* title;  // menu text
  const char* group;  // menu-bar menu
};

// In menu order.
std::span<const ScreenMenuEntry> ScreenMenu();
// The menus in menu-bar order (the order in which the entries name them).
std::vector<std::string> ScreenMenuGroups();

}  // namespace qj::desktop
