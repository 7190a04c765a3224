// Draws an amount as a paper voucher shows it: the sign and twelve digit
// positions, each in its own box, with the thousands and the decimal point
// marked by the lines between them.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include "vouchers/amount_buffer.h"

class QPainter;

namespace qj::vouchers {

struct AmountCellLook {
  QColor ink = Qt::black;
  QColor negativeInk = QColor(0xc0, 0, 0);
  QColor cursorFill = QColor(0x33, 0x66, 0xcc);
  QColor cursorInk = Qt::white;
  // The digit position under the cursor is filled; -1 for none (another
  // cell, or the dark phase of the blink).
  int cursorPosition = -1;
};

// The slot of a digit position (0..11) or of the sign (-1) within a cell of
// 13 equal slots: the sign first, then the digits, most significant first.
[[nodiscard]] QRect AmountSlot(const QRect& cell, int position);

// The thin lines between the slots, the thousands lines a little darker and
// the line between units and decimals red.
void PaintAmountRules(QPainter& painter, const QRect& cell);
// The digits of a buffer (red with a "-" in the sign slot when negative) and the cursor.
void PaintAmountDigits(QPainter& painter, const QRect& cell, const AmountBuffer& buffer, const AmountCellLook& look);
// The units above the digit slots of an amount heading: 十 亿 千 百 十 万 千 百 十 元 角 分.
void PaintAmountUnits(QPainter& painter, const QRect& cell);

}  // namespace qj::vouchers
