#include "vouchers/widgets/voucher_grid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "vouchers/widgets/amount_cell_painter.h"

namespace qj::vouchers {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

const QColor kRuleColor(0x9a, 0xb0, 0xd0);
const QColor kHeadingFill(0xf1, 0xf5, 0xfb);
const QColor kCurrentLineFill(0xff, 0xfb, 0xe6);
const QColor kCurrentCellFill(0xe3, 0xee, 0xff);
const QColor kReadOnlyInk(0x80, 0x80, 0x80);

const char* Heading(Column column) {
  switch (column) {
    case Column::Summary:
      return "摘  要";
    case Column::Subject:
      return "会 计 科 目";
    case Column::Currency:
      return "币种";
    case Column::Rate:
      return "汇率";
    case Column::Foreign:
      return "外币金额";
    case Column::Debit:
      return "借方金额";
    case Column::Credit:
      return "贷方金额";
  }
  return "";
}

AmountColumn AmountOf(Column column) {
  return column == Column::Debit    ? AmountColumn::Debit
         : column == Column::Credit ? AmountColumn::Credit
                                    : AmountColumn::Foreign;
}

QString RateText(const VoucherLine& line) {
  return line.hasForeignCurrency() && !line.rate.isZero() ? q(line.rate.toString()) : QString();
}

// The "…" on the summary and subject editors that opens their chooser.
QIcon ChooserIcon(const QFont& font) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setFont(font);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("…"));
  return QIcon(pixmap);
}

}  // namespace

VoucherGrid::VoucherGrid(VoucherEntryModel& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      textEditor_(new QLineEdit(this)),
      currencyEditor_(new QComboBox(this)),
      chooseAction_(textEditor_->addAction(ChooserIcon(font()), QLineEdit::TrailingPosition)),
      blink_(new QTimer(this)) {
  setObjectName(QStringLiteral("voucherGrid"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);  // amount cells take keys, not composed text
  textEditor_->setObjectName(QStringLiteral("cellEditor"));
  textEditor_->setFrame(false);
  textEditor_->hide();
  textEditor_->installEventFilter(this);
  chooseAction_->setObjectName(QStringLiteral("chooseAction"));
  chooseAction_->setToolTip(QStringLiteral("选择"));
  connect(chooseAction_, &QAction::triggered, this, [this] { choose(model_.currentColumn()); });
  connect(textEditor_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!syncing_) editText(text);
  });
  currencyEditor_->setObjectName(QStringLiteral("currencyEditor"));
  currencyEditor_->hide();
  currencyEditor_->installEventFilter(this);
  connect(currencyEditor_, &QComboBox::activated, this, [this](int index) {
    const int moneyId = currencyEditor_->itemData(index).toInt();
    forward([this, moneyId] { model_.chooseCurrency(moneyId); });
  });
  blink_->setObjectName(QStringLiteral("blinkTimer"));
  blink_->setInterval(kBlinkMilliseconds);
  connect(blink_, &QTimer::timeout, this, [this] {
    lit_ = !lit_;
    update(cellRect(model_.currentLine(), model_.currentColumn()));
  });
}

// ---- Geometry ----

GridMetrics VoucherGrid::metrics() const {
  GridMetrics m;
  m.slotWidth = fontMetrics().horizontalAdvance(QStringLiteral("0")) + 6;
  m.currencyWidth = fontMetrics().horizontalAdvance(QStringLiteral("人民币")) + 16;
  m.rateWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) + 12;
  m.minimumTextWidth = fontMetrics().horizontalAdvance(QStringLiteral("摘要摘要摘要摘要")) + 12;
  return m;
}

VoucherGridLayout VoucherGrid::gridLayout() const {
  return VoucherGridLayout(model_.foreignColumnsShown(), width(), metrics());
}

int VoucherGrid::rowHeight() const { return fontMetrics().height() * 2; }

int VoucherGrid::headingHeight() const { return fontMetrics().height() * 2 + 8; }

int VoucherGrid::rowsShown() const { return std::max(1, (height() - headingHeight()) / rowHeight() - 1); }

QSize VoucherGrid::sizeHint() const {
  const VoucherGridLayout layout(true, 0, metrics());
  const GridColumn& last = layout.columns().back();
  return {last.x + last.width + 1, headingHeight() + 8 * rowHeight() + 1};
}

QSize VoucherGrid::minimumSizeHint() const {
  const VoucherGridLayout layout(false, 0, metrics());
  const GridColumn& last = layout.columns().back();
  return {last.x + last.width + 1, headingHeight() + 4 * rowHeight() + 1};
}

QRect VoucherGrid::cellRect(std::size_t line, Column column) const {
  const VoucherGridLayout layout = gridLayout();
  const GridColumn* shown = layout.find(column);
  if (!shown || line < firstShownLine_ || line >= firstShownLine_ + static_cast<std::size_t>(rowsShown())) return {};
  const int top = headingHeight() + static_cast<int>(line - firstShownLine_) * rowHeight();
  return {shown->x, top, shown->width, rowHeight()};
}

std::optional<std::pair<std::size_t, Column>> VoucherGrid::cellAt(QPoint point) const {
  if (point.y() < headingHeight()) return std::nullopt;
  const auto row = static_cast<std::size_t>((point.y() - headingHeight()) / rowHeight());
  const std::size_t line = firstShownLine_ + row;
  if (row >= static_cast<std::size_t>(rowsShown()) || line >= model_.lines().size()) return std::nullopt;
  const std::optional<Column> column = gridLayout().columnAt(point.x());
  if (!column) return std::nullopt;
  return std::pair{line, *column};
}

void VoucherGrid::keepCurrentLineShown() {
  const auto shown = static_cast<std::size_t>(rowsShown());
  const std::size_t current = model_.currentLine();
  if (current < firstShownLine_) firstShownLine_ = current;
  if (current >= firstShownLine_ + shown) firstShownLine_ = current + 1 - shown;
  const std::size_t count = model_.lines().size();
  firstShownLine_ = std::min(firstShownLine_, count > shown ? count - shown : 0);
}

// ---- Showing the model ----

void VoucherGrid::refresh() {
  keepCurrentLineShown();
  placeEditors();
  restartBlink();
  update();
}

bool VoucherGrid::focusInside() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus == nullptr || focus == this || isAncestorOf(focus);
}

QString VoucherGrid::editorText() const {
  const VoucherLine& line = model_.lines().at(model_.currentLine());
  switch (model_.currentColumn()) {
    case Column::Summary:
      return q(line.summary);
    case Column::Subject:
      return q(model_.pendingSubjectText().value_or(line.subjectCode));
    case Column::Rate:
      return model_.pendingRateText() ? q(*model_.pendingRateText()) : RateText(line);
    default:
      return {};
  }
}

void VoucherGrid::placeEditors() {
  const std::size_t line = model_.currentLine();
  const Column column = model_.currentColumn();
  const QRect cell = line < model_.lines().size() ? cellRect(line, column) : QRect();
  const bool takesText = column == Column::Summary || column == Column::Subject ||
                         (column == Column::Rate && !model_.cellReadOnly(line, column));
  const bool takesCurrency = column == Column::Currency && !model_.cellReadOnly(line, column);
  const bool focus = focusInside();
  const std::pair<std::size_t, Column> here{line, column};

  syncing_ = true;
  if (takesText && cell.isValid()) {
    // A rate keeps the user's spelling while it is typed ("6.", "6.80"); the
    // other cells show what the model took, which may be cut short.
    const bool typingRate = keepEditorText_ && column == Column::Rate && editorCell_ == here;
    if (const QString text = editorText(); !typingRate && textEditor_->text() != text) textEditor_->setText(text);
    chooseAction_->setVisible(column != Column::Rate);
    textEditor_->setGeometry(cell.adjusted(1, 1, 0, 0));
    textEditor_->show();
    if (focus) textEditor_->setFocus();
  } else if (takesCurrency && cell.isValid()) {
    currencyEditor_->clear();
    for (const Currency& currency : model_.currencies()) currencyEditor_->addItem(q(currency.name), currency.moneyId);
    currencyEditor_->setCurrentIndex(currencyEditor_->findData(model_.lines().at(line).moneyId));
    currencyEditor_->setGeometry(cell.adjusted(1, 1, 0, 0));
    currencyEditor_->show();
    if (focus) currencyEditor_->setFocus();
  } else if (focus) {
    setFocus();  // before the editor hides, so that the focus does not wander off the grid
  }
  if (!(takesText && cell.isValid())) textEditor_->hide();
  if (!(takesCurrency && cell.isValid())) currencyEditor_->hide();
  editorCell_ = here;
  syncing_ = false;
}

void VoucherGrid::restartBlink() {
  lit_ = true;
  if (IsAmountColumn(model_.currentColumn()))
    blink_->start();
  else
    blink_->stop();
}

// ---- Events ----

template <class Event>
void VoucherGrid::forward(Event event) {
  event();
  emit acted();
}

void VoucherGrid::editText(const QString& text) {
  const std::string typed = text.toStdString();
  bool taken = false;
  switch (model_.currentColumn()) {
    case Column::Summary:
      taken = model_.editSummary(typed);
      break;
    case Column::Subject:
      taken = model_.editSubjectText(typed);
      break;
    case Column::Rate:
      taken = model_.editRate(typed);
      break;
    default:
      return;
  }
  // An accepted rate stays as typed; a refused change shows the model's text again.
  keepEditorText_ = taken;
  emit acted();
  keepEditorText_ = false;
}

void VoucherGrid::choose(Column column) {
  if (column == Column::Summary) forward([this] { model_.chooseSummary(); });
  if (column == Column::Subject) forward([this] { model_.chooseSubject(); });
}

bool VoucherGrid::moveKey(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
      forward([this] { model_.pressKey(Key::Enter); });
      return true;
    case Qt::Key_Backtab:
      if (const auto before = gridLayout().previous(model_.currentColumn()))
        forward([this, before] { model_.moveTo(model_.currentLine(), *before); });
      return true;
    case Qt::Key_Up:
      forward([this] { model_.pressKey(Key::Up); });
      return true;
    case Qt::Key_Down:
      forward([this] { model_.pressKey(Key::Down); });
      return true;
    default:
      return false;
  }
}

bool VoucherGrid::amountKey(const QKeyEvent& event) {
  if (!IsAmountColumn(model_.currentColumn())) return false;
  std::optional<Key> key;
  const QString text = event.text();
  const QChar c = text.size() == 1 ? text.front() : QChar();
  if (c >= u'0' && c <= u'9')
    key = DigitKey(c.unicode() - u'0');
  else if (c == u'.')
    key = Key::Point;
  else if (c == u'-')
    key = Key::Minus;
  else if (event.key() == Qt::Key_Backspace)
    key = Key::Backspace;
  else if (event.key() == Qt::Key_Delete)
    key = Key::Delete;
  else if (event.key() == Qt::Key_Left)
    key = Key::Left;
  else if (event.key() == Qt::Key_Right)
    key = Key::Right;
  if (!key) return false;
  forward([this, key] { model_.pressKey(*key); });
  return true;
}

bool VoucherGrid::event(QEvent* event) {
  // Tab moves between the cells, not out of the grid.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && moveKey(*static_cast<QKeyEvent*>(event))) return true;
  }
  return QWidget::event(event);
}

void VoucherGrid::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (!moveKey(*event) && !amountKey(*event)) QWidget::keyPressEvent(event);  // F2 and the like go to the screen
}

void VoucherGrid::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // The keyboard belongs to the current cell's editor when it has one: the
  // grid may get the focus first, as when its window becomes active. While
  // the editors are placed the grid takes the focus on purpose.
  if (syncing_) return;
  if (textEditor_->isVisible())
    textEditor_->setFocus();
  else if (currencyEditor_->isVisible())
    currencyEditor_->setFocus();
}

bool VoucherGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched != textEditor_ && watched != currencyEditor_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    // Up and Down choose a currency in the list; everywhere else they move between lines.
    const bool listKey = watched == currencyEditor_ && (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down);
    return !listKey && moveKey(key);
  }
  if (event->type() == QEvent::MouseButtonDblClick && watched == textEditor_) {
    choose(model_.currentColumn());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void VoucherGrid::mousePressEvent(QMouseEvent* event) {
  setFocus();
  const auto cell = cellAt(event->position().toPoint());
  if (!cell) return;
  if (cell->first == model_.currentLine() && cell->second == model_.currentColumn()) return;
  forward([this, cell] { model_.moveTo(cell->first, cell->second); });
}

void VoucherGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const auto cell = cellAt(event->position().toPoint());
  if (cell && cell->first == model_.currentLine() && cell->second == model_.currentColumn()) choose(cell->second);
}

void VoucherGrid::wheelEvent(QWheelEvent* event) {
  const std::size_t count = model_.lines().size();
  const auto shown = static_cast<std::size_t>(rowsShown());
  if (event->angleDelta().y() > 0 && firstShownLine_ > 0) --firstShownLine_;
  if (event->angleDelta().y() < 0 && firstShownLine_ + shown < count) ++firstShownLine_;
  placeEditors();
  update();
}

void VoucherGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  refresh();
}

// ---- Painting ----

void VoucherGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const VoucherGridLayout layout = gridLayout();
  paintHeading(painter, layout);
  const int rows = rowsShown();
  for (int row = 0; row < rows; ++row) {
    const std::size_t line = firstShownLine_ + static_cast<std::size_t>(row);
    const int top = headingHeight() + row * rowHeight();
    if (line < model_.lines().size()) {
      paintLine(painter, layout, line, top);
    } else {
      painter.setPen(kRuleColor);
      for (const GridColumn& column : layout.columns())
        if (IsAmountColumn(column.column)) PaintAmountRules(painter, QRect(column.x, top, column.width, rowHeight()));
    }
  }
  paintTotals(painter, layout, headingHeight() + rows * rowHeight());

  // The ruling: a line under every row, one between every two columns, a frame.
  const int bottom = headingHeight() + (rows + 1) * rowHeight();
  const int right = layout.columns().back().x + layout.columns().back().width;
  painter.setPen(kRuleColor);
  for (int row = 0; row <= rows + 1; ++row) {
    const int y = headingHeight() + row * rowHeight();
    painter.drawLine(0, y, right, y);
  }
  for (const GridColumn& column : layout.columns()) painter.drawLine(column.x, 0, column.x, bottom);
  painter.setPen(QPen(kRuleColor.darker(130), 2));
  painter.drawRect(QRect(0, 0, right, bottom).adjusted(1, 1, -1, -1));
}

void VoucherGrid::paintHeading(QPainter& painter, const VoucherGridLayout& layout) {
  painter.fillRect(QRect(0, 0, width(), headingHeight()), kHeadingFill);
  painter.setPen(Qt::black);
  const int half = headingHeight() / 2;
  for (const GridColumn& column : layout.columns()) {
    const QString title = QString::fromUtf8(Heading(column.column));
    if (!IsAmountColumn(column.column)) {
      painter.drawText(QRect(column.x, 0, column.width, headingHeight()), Qt::AlignCenter, title);
      continue;
    }
    painter.drawText(QRect(column.x, 0, column.width, half), Qt::AlignCenter, title);
    painter.setPen(kRuleColor);
    painter.drawLine(column.x, half, column.x + column.width, half);
    painter.setPen(Qt::black);
    PaintAmountUnits(painter, QRect(column.x, half, column.width, headingHeight() - half));
  }
}

void VoucherGrid::paintLine(QPainter& painter, const VoucherGridLayout& layout, std::size_t index, int top) {
  const VoucherLine& line = model_.lines().at(index);
  const bool currentLine = index == model_.currentLine();
  const int height = rowHeight();
  if (currentLine) painter.fillRect(QRect(0, top, width(), height), kCurrentLineFill);
  const QColor ink = line.readOnly ? kReadOnlyInk : QColor(Qt::black);
  const int textMargin = 4;

  for (const GridColumn& column : layout.columns()) {
    const QRect cell(column.x, top, column.width, height);
    const bool currentCell = currentLine && column.column == model_.currentColumn();
    if (currentCell) painter.fillRect(cell.adjusted(1, 1, 0, 0), kCurrentCellFill);
    const QRect text = cell.adjusted(textMargin, 0, -textMargin, 0);
    painter.setPen(ink);
    switch (column.column) {
      case Column::Summary:
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(q(line.summary), Qt::ElideRight, text.width()));
        break;
      case Column::Subject: {
        QString shown = line.subjectCode.empty() ? QString() : q(line.subjectCode + " " + line.subjectFullName);
        if (currentLine && model_.pendingSubjectText()) shown = q(*model_.pendingSubjectText());
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(shown, Qt::ElideRight, text.width()));
        break;
      }
      case Column::Currency:
        if (!line.subjectCode.empty()) painter.drawText(text, Qt::AlignCenter, q(line.currencyName));
        break;
      case Column::Rate:
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, RateText(line));
        break;
      case Column::Foreign:
      case Column::Debit:
      case Column::Credit: {
        PaintAmountRules(painter, cell);
        const AmountBuffer& buffer = line.buffer(AmountOf(column.column));
        AmountCellLook look;
        look.ink = ink;
        if (currentCell && lit_) look.cursorPosition = buffer.cursor();
        PaintAmountDigits(painter, cell, buffer, look);
        break;
      }
    }
  }
}

void VoucherGrid::paintTotals(QPainter& painter, const VoucherGridLayout& layout, int top) {
  const int height = rowHeight();
  painter.fillRect(QRect(0, top, width(), height), kHeadingFill);
  const GridColumn* debit = layout.find(Column::Debit);
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, top, debit->x, height).adjusted(12, 0, -12, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("合    计"));
  for (Column column : {Column::Debit, Column::Credit}) {
    const GridColumn* shown = layout.find(column);
    const QRect cell(shown->x, top, shown->width, height);
    const Money total = column == Column::Debit ? model_.debitTotal() : model_.creditTotal();
    PaintAmountRules(painter, cell);
    if (const std::optional<AmountBuffer> digits = AmountBuffer::fromValue(total)) {
      PaintAmountDigits(painter, cell, *digits, AmountCellLook{});
    } else {
      painter.setPen(Qt::black);  // beyond the digit boxes: written out
      painter.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter, q(total.toString(2)));
    }
  }
}

}  // namespace qj::vouchers
