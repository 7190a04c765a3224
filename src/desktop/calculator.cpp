#include "desktop/calculator.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "desktop/host_screens.h"

namespace qj::desktop {

CalculatorDialog::CalculatorDialog(QWidget* parent, bool offersResult)
    : QDialog(parent), pending_(new QLabel(this)), display_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("计算器"));
  auto* grid = new QGridLayout(this);
  pending_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  pending_->setObjectName(QStringLiteral("pending"));
  display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  display_->setObjectName(QStringLiteral("display"));
  display_->setFrameShape(QFrame::StyledPanel);
  display_->setMinimumWidth(260);
  display_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont large = display_->font();
  large.setPointSizeF(large.pointSizeF() * 1.8);
  display_->setFont(large);
  grid->addWidget(pending_, 0, 0, 1, 4);
  grid->addWidget(display_, 1, 0, 1, 4);

  addKey(grid, 2, 0, QStringLiteral("C"), [this] { model_.clear(); });
  addKey(grid, 2, 1, QStringLiteral("←"), [this] { model_.backspace(); });
  addKey(grid, 2, 2, QStringLiteral("÷"), [this] { model_.operation(Operation::Divide); });
  addKey(grid, 2, 3, QStringLiteral("×"), [this] { model_.operation(Operation::Multiply); });
  addKey(grid, 3, 3, QStringLiteral("−"), [this] { model_.operation(Operation::Subtract); });
  addKey(grid, 4, 3, QStringLiteral("+"), [this] { model_.operation(Operation::Add); });
  addKey(grid, 5, 3, QStringLiteral("="), [this] { model_.equals(); });
  for (int digit = 1; digit <= 9; ++digit)
    addKey(grid, 5 - (digit - 1) / 3, (digit - 1) % 3, QString::number(digit), [this, digit] { model_.digit(digit); });
  addKey(
      grid, 6, 0, QStringLiteral("0"), [this] { model_.digit(0); }, 2);
  addKey(grid, 6, 2, QStringLiteral("."), [this] { model_.point(); });
  if (offersResult) {
    auto* use = new QPushButton(QStringLiteral("填入(&U)"), this);
    use->setObjectName(QStringLiteral("useResult"));
    use->setToolTip(QStringLiteral("把计算结果填入凭证的当前金额栏"));
    use->setFocusPolicy(Qt::NoFocus);
    use->setAutoDefault(false);
    use->setMinimumHeight(36);
    connect(use, &QPushButton::clicked, this, &CalculatorDialog::useResult);
    grid->addWidget(use, 7, 0, 1, 4);
  }
  render();
}

void CalculatorDialog::useResult() {
  model_.equals();
  render();
  chosen_ = model_.shownValue();
  if (chosen_) accept();
}

void CalculatorDialog::addKey(QGridLayout* grid, int row, int column, const QString& text, std::function<void()> press,
                              int width) {
  auto* key = new QPushButton(text, this);
  // The keyboard goes to the dialog, not to a focused key.
  key->setFocusPolicy(Qt::NoFocus);
  key->setAutoDefault(false);
  key->setMinimumHeight(36);
  connect(key, &QPushButton::clicked, this, [this, press = std::move(press)] {
    press();
    render();
  });
  grid->addWidget(key, row, column, 1, width);
}

void CalculatorDialog::render() {
  pending_->setText(QString::fromStdString(model_.pending()));
  display_->setText(QString::fromStdString(model_.display()));
}

void CalculatorDialog::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    QGuiApplication::clipboard()->setText(display_->text());
    return;
  }
  const QString text = event->text();
  const QChar c = text.size() == 1 ? text.front() : QChar();
  if (c.isDigit() && c.unicode() < 128) {
    model_.digit(c.digitValue());
  } else if (c == u'.' || c == u',') {
    model_.point();
  } else if (c == u'+') {
    model_.operation(Operation::Add);
  } else if (c == u'-') {
    model_.operation(Operation::Subtract);
  } else if (c == u'*' || c == u'x' || c == u'X') {
    model_.operation(Operation::Multiply);
  } else if (c == u'/') {
    model_.operation(Operation::Divide);
  } else if (c == u'=' || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    model_.equals();
  } else if (event->key() == Qt::Key_Backspace) {
    model_.backspace();
  } else if (event->key() == Qt::Key_Delete || c == u'c' || c == u'C') {
    model_.clear();
  } else {
    QDialog::keyPressEvent(event);  // Esc closes
    return;
  }
  render();
}

void ShowCalculator(QWidget* parent) {
  for (const char* program : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk"}) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
  }
  // One built-in calculator at a time, beside the other windows.
  if (auto* open = parent ? parent->findChild<CalculatorDialog*>() : nullptr) {
    open->raise();
    open->activateWindow();
    return;
  }
  auto* calculator = new CalculatorDialog(parent);
  calculator->setAttribute(Qt::WA_DeleteOnClose);
  calculator->show();
}

std::optional<Money> ComputeAmount(QWidget* over) {
  CalculatorDialog calculator(over, true);
  calculator.exec();
  return calculator.chosen();
}

}  // namespace qj::desktop
