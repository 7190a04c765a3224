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

void openModal(HostServices& host, const ScreenEntry& entry, const ScreenMakers& makers) {
  if (!entry.screenName.empty() && host.FormIsExist(entry.screenName)) return;  // already showing
  auto screen = makers.screen(host);
  if (screen) screen->showModal();
}

void openModeless(HostServices& host, const ScreenEntry& entry, const ScreenMakers& makers) {
  if (Screen* open = openScreen(entry.screenName)) {
    open->bringToFront();
    return;
  }
  showModeless(entry.screenName, makers.screen(host));
}

void openFilterThenList(HostServices& host, const ScreenEntry& entry, const ScreenMakers& makers, bool keepFilter) {
  if (Screen* open = openScreen(entry.screenName)) {
    open->bringToFront();
    return;
  }
  auto& filters = registry().filters;
  auto kept = filters.find(entry.filterName);
  std::unique_ptr<Screen> filter;
  if (kept != filters.end() && host.FormIsExist(entry.filterName)) filter = std::move(kept->second);
  if (kept != filters.end()) filters.erase(kept);
  if (!filter) filter = makers.filter(host);
  if (filter->showModal() != 1) return;  // cancelled: the filter dialog goes
  showModeless(entry.screenName, makers.list(host, *filter));
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
      openModal(host, entry, it->second);
      break;
    case ScreenPattern::Modeless:
      openModeless(host, entry, it->second);
      break;
    case ScreenPattern::FilterThenList:
      openFilterThenList(host, entry, it->second, true);
      break;
    case ScreenPattern::FilterHandOverList:
      openFilterThenList(host, entry, it->second, false);
      break;
    case ScreenPattern::HostScreen:
      break;
  }
}

void ShowListScreen(const ScreenEntry& entry, const std::function<std::unique_ptr<Screen>()>& make,
                    const std::function<void(Screen&)>& reload) {
  if (Screen* open = openScreen(entry.screenName)) {
    reload(*open);
    open->bringToFront();
    return;
  }
  showModeless(entry.screenName, make());
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
