// The package's screens by form-name key, and the ways SHOWFINANCEFORM opens them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/screen_table.h"
#include "hostapi/host_services.h"

namespace qj::base {

// A screen as the dispatcher handles it; the Qt screens implement it.
class Screen {
 public:
  virtual ~Screen() = default;
  // Shows the screen modally and returns its modal result (1 when confirmed).
  virtual int showModal() = 0;
  // Shows the screen without waiting; from then on it lives until the user
  // closes it or dispose() is called, and deletes itself.
  virtual void showModeless() = 0;
  // Brings an open modeless screen to the front, restoring it when minimised.
  virtual void bringToFront() = 0;
  // Closes and deletes an open modeless screen.
  virtual void dispose() = 0;
};

// How a key's screens are made, each for the host that opens them.
struct ScreenMakers {
  // The screen of a modal or modeless key; a modal key's maker may return
  // nothing when the screen must not open now, having told the user why.
  std::function<std::unique_ptr<Screen>(HostServices&)> screen;
  std::function<std::unique_ptr<Screen>(HostServices&)> filter;                // the filter dialog of a list key
  std::function<std::unique_ptr<Screen>(HostServices&, Screen& filter)> list;  // the list, from its confirmed filter
};

// Makes a key's screen available; keys compare without regard to case.
void RegisterScreen(const std::string& key, ScreenMakers makers);
[[nodiscard]] bool HasScreen(const std::string& key);

// Opens the screen of a table entry after the host's privilege check, in the
// entry's pattern. A key without a registered screen does nothing.
void OpenScreen(const ScreenEntry& entry);

// Shows the list screen of a table entry without its filter, for a screen
// that opens another on chosen values (a drill-down): the open one is handed
// to `reload` and brought to the front, else `make` makes a new one. The
// caller has checked the entry's privilege.
void ShowListScreen(const ScreenEntry& entry, const std::function<std::unique_ptr<Screen>()>& make,
                    const std::function<void(Screen&)>& reload);

// Closes the open list screens and the kept filter dialogs (unloading).
void CloseAllScreens();
// Forgets every registration (unloading, tests).
void UnregisterAllScreens();

}  // namespace qj::base
