// What a program with a display adds to the host: the main window and its parts.
#pragma once

#include <string>

class QWidget;

namespace qj::host {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual QWidget* mainWindow() = 0;
  // Adds a list screen to the main window's work area, or brings it forward.
  virtual void showChildWindow(QWidget* screen) = 0;
  // Refreshes the window title (product, company, user, current period).
  virtual void refreshCaption() = 0;
  // The wait window of long work.
  virtual void startWaiting() = 0;
  virtual void stopWaiting() = 0;
  // The record-navigation toolbar items ("InsertLineItem" … "LastItem").
  virtual void setToolbarItemEnabled(const std::string& item, bool enabled) = 0;
};

}  // namespace qj::host
