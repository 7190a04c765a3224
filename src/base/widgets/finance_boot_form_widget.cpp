#include "base/widgets/finance_boot_form_widget.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>

namespace qj::base {

FinanceBootFormWidget::FinanceBootFormWidget(HostServices& host, const std::string& screenName,
                                             const std::string& caption, QWidget* parent)
    : QWidget(parent), host_(host), base_(host, screenName, caption) {
  setWindowTitle(QString::fromStdString(caption));
  setObjectName(QString::fromStdString(screenName));
}

FinanceBootFormWidget::~FinanceBootFormWidget() { base_.destroyed(); }

void FinanceBootFormWidget::prepareLookupBoxes() {
  // The suite's lookup boxes drop down a long, content-wide list.
  for (const char* name : {"StyledCombo", "RptStyleCB", "BatchComboBox", "CommodityComboBox"}) {
    for (QComboBox* box : findChildren<QComboBox*>(QString::fromLatin1(name))) {
      box->setMaxVisibleItems(20);
      box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
  }
}

bool FinanceBootFormWidget::event(QEvent* event) {
  // Qt tells every window inside the main window when the main window becomes
  // active; only the screen the user works in takes over the toolbar.
  if (event->type() == QEvent::WindowActivate && isTheActiveScreen()) base_.activated();
  return QWidget::event(event);
}

bool FinanceBootFormWidget::isTheActiveScreen() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    return sub->mdiArea() == nullptr || sub->mdiArea()->activeSubWindow() == sub;
  return true;
}

void FinanceBootFormWidget::showEvent(QShowEvent* event) {
  prepareLookupBoxes();
  base_.shown();
  QWidget::showEvent(event);
}

QWidget* FinanceBootFormWidget::frame() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
  return isWindow() ? this : nullptr;
}

void FinanceBootFormWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  QWidget* main = host_.MainWindow();
  QWidget* window = frame();
  if (!main || !window || window == main) return;
  if (const auto placement = base_.resized(window->height(), main->height())) {
    window->move(window->x(), placement->top);
    window->resize(window->width(), placement->height);
  }
}

void FinanceBootFormWidget::closeEvent(QCloseEvent* event) {
  base_.closing();
  QWidget::closeEvent(event);
}

}  // namespace qj::base
