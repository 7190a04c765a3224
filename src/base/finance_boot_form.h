// What every finance screen does towards the host, whatever it shows: log its
// opening and closing, switch off the host's record-navigation toolbar while
// it is active, stay inside the main window, close its print layouts.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "hostapi/host_services.h"

namespace qj::base {

class FinanceBootForm {
 public:
  // `screenName` is the name the host knows the screen by (FormIsExist).
  FinanceBootForm(HostServices& host, std::string screenName, std::string caption);

  // The host toolbar items a finance screen switches off, in order.
  static const std::vector<std::string>& ToolbarItems();

  // Screens that open and close very often may keep out of the log.
  void setLogSuppressed(bool suppressed) { logSuppressed_ = suppressed; }
  // Called when the screen closes, for a screen that keeps its print layouts open.
  void setPrintStyleCloser(std::function<void()> closer) { closePrintStyles_ = std::move(closer); }
  [[nodiscard]] const std::string& caption() const { return caption_; }
  [[nodiscard]] const std::string& screenName() const { return screenName_; }

  struct Placement {
    int top;
    int height;
  };

  // The events of a screen's life, in the order they happen.
  void shown();
  void activated();
  // A screen nearly as tall as the main window is moved to the top and made
  // 70 pixels shorter than it; otherwise nothing changes.
  [[nodiscard]] std::optional<Placement> resized(int height, int mainWindowHeight) const;
  void closing();
  void destroyed();

 private:
  HostServices& host_;
  std::string screenName_;
  std::string caption_;
  bool logSuppressed_ = false;
  bool open_ = false;
  std::function<void()> closePrintStyles_;
};

}  // namespace qj::base
