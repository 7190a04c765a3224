#include "desktop/screen_access.h"

#include "base/screen_table.h"
#include "host/host_application.h"
#include "host/privileged_functions.h"

namespace qj::desktop {

std::optional<std::string> ScreenRefusal(host::HostApplication& host, const ScreenAvailability& available,
                                         const std::string& key) {
  if (!available || !available(key)) return "本版本尚未提供此功能。";
  const base::ScreenEntry* entry = base::FindScreen(key);
  // The host's own screens ask their own privilege when they open.
  if (entry && entry->privilege != 0 && !host.HasOvoPrivilege2(entry->privilege, entry->action, false))
    return "你没有" + host::PrivilegeName(entry->privilege, entry->action) + "权限，请与系统管理员联系。";
  return std::nullopt;
}

}  // namespace qj::desktop
