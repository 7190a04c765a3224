// One book at work: its session and user, the host over them, the main
// window and the package loaded into it. Made after a log-in; destroyed when
// the user switches books or quits.
#pragma once

#include <memory>

#include "desktop/login_model.h"
#include "host/host_application.h"
#include "host/package_library.h"

namespace qj::desktop {

class MainWindow;

class Workspace {
 public:
  // Loads the package (a package that cannot be loaded is reported and its
  // menus stay disabled) and shows the main window.
  Workspace(Login login, host::MessageBoxes& boxes);
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  // Closes every screen, unloads the package, then the window and the book.
  ~Workspace();

  [[nodiscard]] MainWindow& window() { return *window_; }
  [[nodiscard]] host::HostApplication& host() { return host_; }
  [[nodiscard]] host::BookSession& session() { return *session_; }

 private:
  std::unique_ptr<host::BookSession> session_;
  host::HostApplication host_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<host::PackageLibrary> package_;
};

}  // namespace qj::desktop
