// The screens SHOWFINANCEFORM opens, by form-name key, with their privileges
// and the way each is shown.
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
  int privilege = 0;  // function number for HasOvoPrivilege2; 0 when the host checks
  int action = 1;     // 1 open, 5 run
  ScreenPattern pattern = ScreenPattern::Modal;
  std::string screenName;  // the name FormIsExist knows the (list) screen by
  std::string filterName;  // the filter dialog's name for the filter patterns
};

// The function number the host checks for its own screen, the cash-flow item
// archive (OVOFLUXIONARCHIVES_FRM), which the table leaves to the host.
inline constexpr int kItemArchivePrivilegeFunction = 70;

const std::vector<ScreenEntry>& ScreenTable();
// The entry for a key written in any case; nullptr for an unknown key.
const ScreenEntry* FindScreen(const std::string& key);

}  // namespace qj::base
