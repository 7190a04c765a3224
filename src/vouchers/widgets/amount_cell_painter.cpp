#include "vouchers/widgets/amount_cell_painter.h"

#include <QPainter>
#include <array>

#include "vouchers/widgets/voucher_grid_layout.h"

namespace qj::vouchers {
namespace {

constexpr int kSignSlot = 0;
constexpr std::array<const char16_t*, AmountBuffer::kDigitPositions> kUnits = {
    u"十", u"亿", u"千", u"百", u"十", u"万", u"千", u"百", u"十", u"元", u"角", u"分"};

int slotOf(int position) { return position < 0 ? kSignSlot : position + 1; }

// Whether the line on the left of a digit position marks thousands: three,
// six and nine places left of the units.
bool thousandsLineBefore(int position) {
  return position > 0 && position <= AmountBuffer::kUnits && (AmountBuffer::kUnits - position) % 3 == 2;
}

}  // namespace

QRect AmountSlot(const QRect& cell, int position) {
  const int slot = slotOf(position);
  const int left = cell.left() + cell.width() * slot / VoucherGridLayout::kAmountSlots;
  const int right = cell.left() + cell.width() * (slot + 1) / VoucherGridLayout::kAmountSlots;
  return QRect(left, cell.top(), right - left, cell.height());
}

void PaintAmountRules(QPainter& painter, const QRect& cell) {
  painter.save();
  for (int position = 0; position < AmountBuffer::kDigitPositions; ++position) {
    const int x = AmountSlot(cell, position).left();
    if (position == AmountBuffer::kFirstDecimal)
      painter.setPen(QPen(QColor(0xd0, 0x30, 0x30), 1));
    else if (thousandsLineBefore(position))
      painter.setPen(QPen(QColor(0x70, 0x90, 0xc0), 1));
    else
      painter.setPen(QPen(QColor(0xd8, 0xdf, 0xea), 1));
    painter.drawLine(x, cell.top(), x, cell.bottom());
  }
  painter.restore();
}

void PaintAmountDigits(QPainter& painter, const QRect& cell, const AmountBuffer& buffer, const AmountCellLook& look) {
  painter.save();
  const QColor ink = buffer.negative() ? look.negativeInk : look.ink;
  if (buffer.negative()) {
    painter.setPen(look.negativeInk);
    painter.drawText(AmountSlot(cell, -1), Qt::AlignCenter, QStringLiteral("-"));
  }
  for (int position = 0; position < AmountBuffer::kDigitPositions; ++position) {
    const QRect slot = AmountSlot(cell, position).adjusted(1, 1, 0, 0);
    const bool underCursor = position == look.cursorPosition;
    if (underCursor) painter.fillRect(slot, look.cursorFill);
    const char digit = buffer.digitAt(position);
    if (digit == ' ') continue;
    painter.setPen(underCursor ? look.cursorInk : ink);
    painter.drawText(slot, Qt::AlignCenter, QString(QChar::fromLatin1(digit)));
  }
  painter.restore();
}

void PaintAmountUnits(QPainter& painter, const QRect& cell) {
  painter.save();
  painter.drawText(AmountSlot(cell, -1), Qt::AlignCenter, QStringLiteral("±"));
  for (int position = 0; position < AmountBuffer::kDigitPositions; ++position)
    painter.drawText(AmountSlot(cell, position), Qt::AlignCenter,
                     QString::fromUtf16(kUnits.at(static_cast<std::size_t>(position))));
  painter.restore();
  PaintAmountRules(painter, cell);
}

}  // namespace qj::vouchers
