// Qt windows as the dispatcher's screens: a dialog shown modally, or a list
// window shown inside the host's main window.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "base/screen_registry.h"

namespace qj::base {

// A modal screen: showModal() runs the dialog and returns its result.
class DialogScreen final : public Screen {
 public:
  explicit DialogScreen(std::unique_ptr<QDialog> dialog) : dialog_(std::move(dialog)) {}
  [[nodiscard]] QDialog& dialog() { return *dialog_; }

  int showModal() override { return dialog_->exec() == QDialog::Accepted ? 1 : 0; }
  void showModeless() override;
  void bringToFront() override;
  void dispose() override { delete this; }

 private:
  std::unique_ptr<QDialog> dialog_;
};

// A modeless screen: a window inside the host's main window that deletes
// itself (and this handle) when the user closes it.
class WindowScreen final : public Screen {
 public:
  explicit WindowScreen(QWidget* window);
  ~WindowScreen() override;
  [[nodiscard]] QWidget* window() { return window_; }

  int showModal() override;
  void showModeless() override;
  void bringToFront() override;
  void dispose() override;

 private:
  QPointer<QWidget> window_;
  QMetaObject::Connection closed_;
};

}  // namespace qj::base
