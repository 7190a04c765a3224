// The Qt side of the common screen base: forwards the window's events to FinanceBootForm.
#pragma once

#include <QWidget>

#include "base/finance_boot_form.h"

namespace qj::base {

class FinanceBootFormWidget : public QWidget {
  Q_OBJECT

 public:
  FinanceBootFormWidget(HostServices& host, const std::string& screenName, const std::string& caption,
                        QWidget* parent = nullptr);
  ~FinanceBootFormWidget() override;

  [[nodiscard]] FinanceBootForm& base() { return base_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The window that is moved and resized: the MDI frame around the screen, or the screen itself.
  QWidget* frame();
  // Whether this screen is the one the user works in (the active window inside the main window).
  bool isTheActiveScreen();
  void prepareLookupBoxes();

  HostServices& host_;
  FinanceBootForm base_;
};

}  // namespace qj::base
