#include "desktop/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <optional>

#include "base/screen_table.h"
#include "desktop/host_log_view.h"
#include "desktop/host_screens.h"
#include "desktop/main_caption.h"
#include "desktop/month_home.h"
#include "desktop/screen_access.h"
#include "desktop/screen_menu.h"
#include "desktop/wait_window.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "hostapi/refusal.h"

namespace qj::desktop {
namespace {

struct ToolbarItem {
  const char* name;
  const char* text;
};
// The record toolbar; finance screens switch its items off while active.
constexpr ToolbarItem kToolbarItems[] = {
    {"InsertLineItem", "插行"}, {"DeleteLineItem", "删行"}, {"EditItem", "修改"},  {"OvoItem", "确认"},
    {"DeleteItem", "删除"},     {"RefreshItem", "刷新"},    {"FirstItem", "首张"}, {"PreviousItem", "上张"},
    {"NextItem", "下张"},       {"LastItem", "末张"},
};

}  // namespace

MainWindow::MainWindow(host::BookSession& session, host::HostApplication& host)
    : session_(session),
      host_(host),
      workArea_(new QMdiArea),
      home_(new MonthHomeView(host, workArea_->viewport())),
      waitWindow_(new WaitWindow(this)) {
  setObjectName(QStringLiteral("MainWindow"));
  workArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  workArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(workArea_);
  // The month's home page fills the empty work area, beneath its windows.
  home_->lower();
  workArea_->viewport()->installEventFilter(this);
  // Qt tells a window's widgets when the window itself becomes active, but
  // not when one window of the work area takes over from another: the screen
  // of the newly active one is told in the same words.
  connect(workArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
    // A window that opened or closed may have changed the month's state.
    home_->refresh();
    if (!window || !window->widget()) return;
    QEvent activated(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window->widget(), &activated);
  });
  buildSystemMenu();
  buildScreenMenus();
  buildToolbar();
  statusBar()->addPermanentWidget(
      new QLabel(QStringLiteral("帐套：") + QString::fromStdString(session.db().location())));
  resize(1100, 720);
  refreshCaption();
}

void MainWindow::buildSystemMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("系统"));
  auto add = [&](const QString& text, const char* name, auto slot) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
  };
  add(QStringLiteral("帐套属性…"), "bookProperties", [this] {
    guarded([this] {
      ShowBookProperties(this, session_, host_);
      refreshCaption();
    });
  });
  add(QStringLiteral("用户与权限…"), "userAdministration",
      [this] { guarded([this] { ShowUserAdministration(this, session_, host_); }); });
  add(QStringLiteral("计算器"), "calculator", [this] { guarded([this] { ShowCalculator(this); }); });
  add(QStringLiteral("操作日志"), "hostLog", [this] { showLog(); });
  menu->addSeparator();
  add(QStringLiteral("切换帐套…"), "switchBook", [this] { emit switchBookRequested(); });
  add(QStringLiteral("退出"), "exit", [this] { close(); });
}

void MainWindow::buildScreenMenus() {
  for (const std::string& group : ScreenMenuGroups()) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(group));
    menu->setToolTipsVisible(true);
    for (const base::ScreenEntry& entry : base::ScreenTable()) {
      if (entry.menu != group) continue;
      QAction* action = menu->addAction(QString::fromStdString(entry.title));
      action->setObjectName(QString::fromStdString(entry.key));
      action->setEnabled(false);
      const std::string key = entry.key;
      connect(action, &QAction::triggered, this, [this, key] {
        host_.GlobalCall("SHOWFINANCEFORM", key, nullptr);
        home_->refresh();
      });
      screenActions_.push_back(action);
    }
  }
}

void MainWindow::buildToolbar() {
  QToolBar* bar = addToolBar(QStringLiteral("记录"));
  bar->setObjectName(QStringLiteral("recordToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const ToolbarItem& item : kToolbarItems) {
    QAction* action = bar->addAction(QString::fromUtf8(item.text));
    action->setObjectName(QString::fromLatin1(item.name));
    action->setEnabled(false);
    const std::string name = item.name;
    // The screen that switched an item on has registered the command of its name.
    connect(action, &QAction::triggered, this, [this, name] { host_.GlobalCall(name, "", nullptr); });
    toolbarActions_.push_back(action);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == workArea_->viewport() && event->type() == QEvent::Resize)
    home_->setGeometry(workArea_->viewport()->rect());
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::offerScreens(const std::function<bool(const std::string& key)>& available) {
  home_->setAvailability(available);
  // A screen the user cannot open is grey, and its tooltip says why.
  for (QAction* action : screenActions_) {
    const auto refusal = ScreenRefusal(host_, available, action->objectName().toStdString());
    action->setEnabled(!refusal);
    action->setToolTip(refusal ? QString::fromStdString(*refusal) : action->text());
  }
}

bool MainWindow::closeScreens() {
  for (QMdiSubWindow* window : workArea_->subWindowList()) {
    if (!window->close()) return false;
    delete window;
  }
  return true;
}

void MainWindow::showChildWindow(QWidget* screen) {
  if (!screen) return;
  auto* window = qobject_cast<QMdiSubWindow*>(screen->parentWidget());
  if (!window || window->mdiArea() != workArea_) {
    // A new window keeps the size its screen was given, plus the frame.
    const std::optional<QSize> chosen =
        screen->testAttribute(Qt::WA_Resized) ? std::optional(screen->size()) : std::nullopt;
    window = workArea_->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (chosen) window->resize(window->size() - screen->size() + *chosen);
  }
  if (window->isMinimized())
    window->showNormal();
  else
    window->show();
  workArea_->setActiveSubWindow(window);
}

void MainWindow::refreshCaption() {
  try {
    session_.reload();
  } catch (const std::exception& error) {
    host_.ShowMsgBox(std::string("无法重新读取帐套信息：") + error.what(), "错误", msgbox::IconError);
  }
  setWindowTitle(QString::fromStdString(MainCaption(session_.record(), host_.asUserName())));
  home_->refresh();
}

void MainWindow::startWaiting() {
  if (waiting_.enter()) waitWindow_->appear();
}

void MainWindow::stopWaiting() {
  if (waiting_.leave()) waitWindow_->hide();
}

void MainWindow::setToolbarItemEnabled(const std::string& item, bool enabled) {
  for (QAction* action : toolbarActions_)
    if (action->objectName() == QString::fromStdString(item)) action->setEnabled(enabled);
}

void MainWindow::showLog() {
  guarded([this] {
    if (!log_) log_ = new HostLogView(session_.db(), host_);
    showChildWindow(log_);
  });
}

void MainWindow::guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const data::DbError& error) {
    host_.EDBEngineErrorHandler(error);
  } catch (const std::exception& error) {
    Show(host_, FailureRefusal(error));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closeScreens()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
  emit closed();
}

}  // namespace qj::desktop
