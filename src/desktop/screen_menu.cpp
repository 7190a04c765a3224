#include "desktop/screen_menu.h"

#include <algorithm>

#include "base/screen_table.h"

namespace qj::desktop {

std::vector<std::string> ScreenMenuGroups() {
  std::vector<std::string> groups;
  for (const base::ScreenEntry& entry : base::ScreenTable())
    if (std::find(groups.begin(), groups.end(), entry.menu) == groups.end()) groups.push_back(entry.menu);
  return groups;
}

}  // namespace qj::desktop
