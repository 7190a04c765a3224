// 计算器: the built-in calculator the 系统 menu falls back on when the desktop
// has no calculator program. It shows a CalculatorModel and forwards keys to it.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "desktop/calculator_model.h"

class QGridLayout;
class QLabel;

namespace qj::desktop {

class CalculatorDialog : public QDialog {
  Q_OBJECT

 public:
  // `offersResult`: a 填入 button ends the dialog with the figure shown.
  explicit CalculatorDialog(QWidget* parent = nullptr, bool offersResult = false);

  // The figure 填入 handed back; nothing when the dialog was closed otherwise.
  [[nodiscard]] const std::optional<Money>& chosen() const { return chosen_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void addKey(QGridLayout* grid, int row, int column, const QString& text, std::function<void()> press, int width = 1);
  void render();

  void useResult();

  CalculatorModel model_;
  std::optional<Money> chosen_;
  QLabel* pending_;
  QLabel* display_;
};

}  // namespace qj::desktop
