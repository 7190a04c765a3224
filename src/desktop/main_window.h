// The desktop's main window: the finance and host menus, the record toolbar,
// the work area of list screens and the wait window; the package reaches it
// through the host's window commands.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "desktop/wait_nesting.h"
#include "host/window_host.h"

class QMdiArea;
class QMdiSubWindow;

namespace qj::host {
class BookSession;
class HostApplication;
}  // namespace qj::host

namespace qj::desktop {

class HostLogView;
class MonthHomeView;
class WaitWindow;

class MainWindow final : public QMainWindow, public host::WindowHost {
  Q_OBJECT

 public:
  MainWindow(host::BookSession& session, host::HostApplication& host);

  // Enables the menu entry of each screen the package has; the others stay disabled.
  void offerScreens(const std::function<bool(const std::string& key)>& available);
  // Closes every window of the work area; false when one of them refuses.
  bool closeScreens();
  [[nodiscard]] QMdiArea* workArea() const { return workArea_; }
  [[nodiscard]] MonthHomeView* monthHome() const { return home_; }

  QWidget* mainWindow() override { return this; }
  void showChildWindow(QWidget* screen) override;
  void refreshCaption() override;
  void startWaiting() override;
  void stopWaiting() override;
  void setToolbarItemEnabled(const std::string& item, bool enabled) override;

 signals:
  void switchBookRequested();
  // The user closed the window (and with it every screen).
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildSystemMenu();
  void buildScreenMenus();
  void buildToolbar();
  void showLog();
  // Runs host work from a menu; a failure becomes a message, never a crash.
  void guarded(const std::function<void()>& work);

  host::BookSession& session_;
  host::HostApplication& host_;
  QMdiArea* workArea_;
  MonthHomeView* home_;  // on the work area, beneath its windows
  WaitWindow* waitWindow_;
  WaitNesting waiting_;
  std::vector<QAction*> screenActions_;   // object name = form-name key
  std::vector<QAction*> toolbarActions_;  // object name = toolbar item
  QPointer<HostLogView> log_;
};

}  // namespace qj::desktop
