#include "base/widgets/qt_screen.h"

#include <QMdiSubWindow>

#include "base/host.h"

namespace qj::base {
namespace {

void raise(QWidget* window) {
  QWidget* frame = window;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) frame = sub;
  if (frame->isMinimized()) frame->showNormal();
  frame->raise();
  frame->activateWindow();
}

}  // namespace

void DialogScreen::showModeless() {
  // A dialog kept open without waiting belongs to the screen object, which
  // the dispatcher keeps until the dialog is disposed.
  dialog_->show();
}

void DialogScreen::bringToFront() { raise(dialog_.get()); }

WindowScreen::WindowScreen(QWidget* window) : window_(window) {
  window_->setAttribute(Qt::WA_DeleteOnClose);
  // The handle goes with its window, whoever closes it. The window is being
  // destroyed by then, although the guard does not know it yet.
  closed_ = QObject::connect(window_, &QObject::destroyed, [this] {
    window_ = nullptr;
    delete this;
  });
}

WindowScreen::~WindowScreen() {
  QObject::disconnect(closed_);
  // A window that never reached the screen goes with its handle.
  if (window_ && !window_->isVisible()) delete window_;
}

int WindowScreen::showModal() {
  showModeless();
  return 1;
}

void WindowScreen::showModeless() {
  HostServices& host = Host();
  if (host.MainWindow())
    host.ShowChildWindow(window_);
  else
    window_->show();
}

void WindowScreen::bringToFront() {
  if (window_) raise(window_);
}

void WindowScreen::dispose() {
  if (!window_) return;
  QWidget* frame = window_;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window_->parentWidget())) frame = sub;
  window_->close();
  // Deleted now rather than later: the package's code may be unloaded next.
  // Deleting the window deletes this handle.
  delete frame;
}

}  // namespace qj::base
