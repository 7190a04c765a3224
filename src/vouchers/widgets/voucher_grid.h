// The lines of the voucher on the entry screen, drawn like a paper voucher:
// a heading, the lines with their amount cells as digit boxes, the totals.
// Keys, clicks and the in-place editors' text go to the model; after each
// the grid tells the screen, which shows the model again.
#pragma once

#include <QWidget>
#include <cstddef>

#include "vouchers/voucher_entry_model.h"
#include "vouchers/widgets/voucher_grid_layout.h"

class QAction;
class QComboBox;
class QLineEdit;
class QTimer;

namespace qj::vouchers {

class VoucherGrid : public QWidget {
  Q_OBJECT

 public:
  // The digit cursor of the current amount cell blinks at this pace.
  static constexpr int kBlinkMilliseconds = 400;

  explicit VoucherGrid(VoucherEntryModel& model, QWidget* parent = nullptr);

  // Shows what the model holds now and puts the editor of the current cell in place.
  void refresh();

  [[nodiscard]] VoucherGridLayout gridLayout() const;
  // Where a line's cell is drawn; empty when the line is scrolled away or the column hidden.
  [[nodiscard]] QRect cellRect(std::size_t line, Column column) const;
  // The editor of the summary, subject and rate cells, and the currency list.
  [[nodiscard]] QLineEdit* textEditor() const { return textEditor_; }
  [[nodiscard]] QComboBox* currencyEditor() const { return currencyEditor_; }
  [[nodiscard]] QTimer* blinkTimer() const { return blink_; }
  // Whether the digit cursor is drawn at this moment of its blink.
  [[nodiscard]] bool cursorLit() const { return lit_; }

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 signals:
  // The model took in something the user did; the whole screen should show it.
  void acted();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Runs a model event, then lets the screen show its outcome.
  template <class Event>
  void forward(Event event);
  // The keys every cell shares (Enter, Tab, Up, Down); true when taken.
  bool moveKey(const QKeyEvent& event);
  // The keys of an amount cell; true when taken.
  bool amountKey(const QKeyEvent& event);
  void editText(const QString& text);
  void choose(Column column);
  // The line and column under a point of the grid, if it is a line's cell.
  [[nodiscard]] std::optional<std::pair<std::size_t, Column>> cellAt(QPoint point) const;

  [[nodiscard]] GridMetrics metrics() const;
  [[nodiscard]] int rowHeight() const;
  [[nodiscard]] int headingHeight() const;
  [[nodiscard]] int rowsShown() const;
  void keepCurrentLineShown();
  void placeEditors();
  [[nodiscard]] bool focusInside() const;
  [[nodiscard]] QString editorText() const;
  void restartBlink();

  void paintHeading(QPainter& painter, const VoucherGridLayout& layout);
  void paintLine(QPainter& painter, const VoucherGridLayout& layout, std::size_t line, int top);
  void paintTotals(QPainter& painter, const VoucherGridLayout& layout, int top);

  VoucherEntryModel& model_;
  QLineEdit* textEditor_;
  QComboBox* currencyEditor_;
  QAction* chooseAction_;
  QTimer* blink_;
  bool lit_ = true;
  std::size_t firstShownLine_ = 0;
  // The cell the editor shows, and whether its text came from the user's typing just now.
  std::optional<std::pair<std::size_t, Column>> editorCell_;
  bool keepEditorText_ = false;
  bool syncing_ = false;  // the editors are being set from the model, not typed into
};

}  // namespace qj::vouchers
