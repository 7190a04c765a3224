// 计算器: the built-in calculator the 系统 menu falls back on when the desktop
// has no calculator program. It shows a CalculatorModel and forwards keys to it.
#pragma once

#include <QDialog>
#include <functional>

#include "desktop/calculator_model.h"

class QGridLayout;
class QLabel;

namespace qj::desktop {

class CalculatorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CalculatorDialog(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void addKey(QGridLayout* grid, int row, int column, const QString& text, std::function<void()> press, int width = 1);
  void render();

  CalculatorModel model_;
  QLabel* pending_;
  QLabel* display_;
};

}  // namespace qj::desktop
