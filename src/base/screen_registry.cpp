#include "base/screen_registry.h"

#include <map>

#include "base/host.h"
#include "base/screen_preconditions.h"
#include "base/upper_case.h"

namespace qj::base {
namespace {

struct Registry {
  std::map<std::string, ScreenMakers> makers;              // by upper-cased key
  std::map<std::string, std::unique_ptr<Screen>> filters;  // kept filter dialogs, by filter name
  std::map<std::string, Screen*> lists;                    // open list and modeless screens, by screen name
};

Registry& registry() {
  static Registry instance;
  return instance;
}

// The open modeless screen of that name, if the host still knows it as open.
Screen* openScreen(const std::string& name) {
  auto it = registry().lists.find(name);
  if (it == registry().lists.end()) return nullptr;
  if (!Host().FormIsExist(name)) {
    registry().lists.erase(it);
    return nullptr;
  }
  return it->second;
}

void showModeless(const std::string& name, std::unique_ptr<Screen> screen) {
  Screen* raw = screen.get();
  registry().lists[name] = raw;
  screen.release()->showModeless();
}

void openModal(const ScreenEntry& entry, const ScreenMakers& makers) {
  if (!entry.screenName.empty() && Host().FormIsExist(entry.screenName)) return;  // already showing
  auto screen = makers.screen();
  screen->showModal();
}

void openModeless(const ScreenEntry& entry, const ScreenMakers& makers) {
  if (Screen* open = openScreen(entry.screenName)) {
    open->bringToFront();
    return;
  }
  showModeless(entry.screenName, makers.screen());
}

void openFilterThenList(const ScreenEntry& entry, const ScreenMakers& makers, bool keepFilter) {
  if (Screen* open = openScreen(entry.screenName)) {
    open->bringToFront();
    return;
  }
  auto& filters = registry().filters;
  auto kept = filters.find(entry.filterName);
  std::unique_ptr<Screen> filter;
  if (kept != filters.end() && Host().FormIsExist(entry.filterName)) filter = std::move(kept->second);
  if (kept != filters.end()) filters.erase(kept);
  if (!filter) filter = makers.filter();
  if (filter->showModal() != 1) return;  // cancelled: the filter dialog goes
  showModeless(entry.screenName, makers.list(*filter));
  if (keepFilter) filters[entry.filterName] = std::move(filter);
}

}  // namespace

void RegisterScreen(const std::string& key, ScreenMakers makers) {
  registry().makers[UpperCase(key)] = std::move(makers);
}

bool HasScreen(const std::string& key) { return registry().makers.contains(UpperCase(key)); }

void OpenScreen(const ScreenEntry& entry) {
  auto it = registry().makers.find(entry.key);
  if (it == registry().makers.end()) return;
  HostServices& host = Host();
  if (entry.pattern == ScreenPattern::HostScreen) {
    host.ShowPrivilegedForm(entry.screenName, 1, false, true);
    return;
  }
  if (!host.HasOvoPrivilege2(entry.privilege, entry.action, true)) return;
  if (const auto refusal = ScreenPreconditionRefusal(entry, host)) {
    Show(host, *refusal);
    return;
  }
  switch (entry.pattern) {
    case ScreenPattern::Modal:
      openModal(entry, it->second);
      break;
    case ScreenPattern::Modeless:
      openModeless(entry, it->second);
      break;
    case ScreenPattern::FilterThenList:
      openFilterThenList(entry, it->second, true);
      break;
    case ScreenPattern::FilterHandOverList:
      openFilterThenList(entry, it->second, false);
      break;
    case ScreenPattern::HostScreen:
      break;
  }
}

void CloseAllScreens() {
  auto& lists = registry().lists;
  for (auto& [name, screen] : lists)
    if (Host().FormIsExist(name)) screen->dispose();
  lists.clear();
  registry().filters.clear();
}

void UnregisterAllScreens() {
  registry().makers.clear();
  registry().filters.clear();
  registry().lists.clear();
}

}  // namespace qj::base
