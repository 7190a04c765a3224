// Every screen of the package, described once: its form-name key for
// SHOWFINANCEFORM, its privilege, the way it is shown, its title and the menu
// a bookkeeper looks for it in. The host's privilege titles, the desktop's
// menus and the command line's rights are read from this table.
#pragma once

#include <string>
#include <vector>

namespace qj::base {

enum class ScreenPattern {
  Modal,               // created, shown modally and destroyed within the call
  Modeless,            // created once and left open
  FilterThenList,      // a kept filter dialog, then a list window
  FilterHandOverList,  // a filter dialog whose values are handed to the list, then destroyed
  HostScreen,          // the host's own screen, opened through ShowPrivilegedForm
};

struct ScreenEntry {
  std::string key;    // form-name key, upper case
  int privilege = 0;  // function number for HasOvoPrivilege2 (the host's own screen checks it itself)
  int action = 1;     // 1 open, 5 run
  ScreenPattern pattern = ScreenPattern::Modal;
  std::string screenName;  // the name FormIsExist knows the (list) screen by
  std::string filterName;  // the filter dialog's name for the filter patterns
  std::string title;       // menu text; the first screen of a function number titles the privilege
  std::string menu;        // the menu-bar menu it stands in
};

// The function number the host checks for its own screen, the cash-flow item
// archive (OVOFLUXIONARCHIVES_FRM).
inline constexpr int kItemArchivePrivilegeFunction = 70;

// In menu order.
const std::vector<ScreenEntry>& ScreenTable();
// The entry for a key written in any case; nullptr for an unknown key.
const ScreenEntry* FindScreen(const std::string& key);

}  // namespace qj::base
