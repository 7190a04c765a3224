#include "base/finance_boot_form.h"

namespace qj::base {

namespace {
constexpr int kTallMargin = 48;    // closer than this to the main window's height counts as full height
constexpr int kFittedMargin = 70;  // a full-height screen is made this much shorter than the main window
}  // namespace

FinanceBootForm::FinanceBootForm(HostServices& host, std::string screenName, std::string caption)
    : host_(host), screenName_(std::move(screenName)), caption_(std::move(caption)) {}

const std::vector<std::string>& FinanceBootForm::ToolbarItems() {
  static const std::vector<std::string> items = {"InsertLineItem", "DeleteLineItem", "EditItem",  "OvoItem",
                                                 "DeleteItem",     "RefreshItem",    "FirstItem", "PreviousItem",
                                                 "NextItem",       "LastItem"};
  return items;
}

void FinanceBootForm::shown() {
  if (open_) return;
  open_ = true;
  host_.FormOpened(screenName_);
  if (!logSuppressed_) host_.WriteLog(logcode::ScreenOpened, caption_);
}

void FinanceBootForm::activated() {
  for (const std::string& item : ToolbarItems()) {
    VorParams bag;
    bag.AddValue("ENABLED", false);
    host_.GlobalCall("SETCOMPONENTENABLED", item, &bag);
  }
}

std::optional<FinanceBootForm::Placement> FinanceBootForm::resized(int height, int mainWindowHeight) const {
  if (mainWindowHeight <= 0 || height < mainWindowHeight - kTallMargin) return std::nullopt;
  return Placement{0, mainWindowHeight - kFittedMargin};
}

void FinanceBootForm::closing() {
  if (closePrintStyles_) closePrintStyles_();
}

void FinanceBootForm::destroyed() {
  if (!open_) return;
  open_ = false;
  host_.FormClosed(screenName_);
  if (!logSuppressed_) host_.WriteLog(logcode::ScreenClosed, caption_);
}

}  // namespace qj::base
