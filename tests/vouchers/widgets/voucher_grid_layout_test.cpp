// Where the voucher grid puts its columns, and the digit slots of an amount cell.
#include <gtest/gtest.h>

#include "vouchers/widgets/amount_cell_painter.h"
#include "vouchers/widgets/voucher_grid_layout.h"

namespace qj::test {
namespace {

using vouchers::Column;
using vouchers::GridColumn;
using vouchers::GridMetrics;
using vouchers::VoucherGridLayout;

std::vector<Column> Shown(const VoucherGridLayout& layout) {
  std::vector<Column> out;
  for (const GridColumn& column : layout.columns()) out.push_back(column.column);
  return out;
}

TEST(VoucherGridLayout, TheForeignColumnsComeAndGoBetweenSubjectAndDebit) {
  const GridMetrics metrics;  // slots of 12: amount columns 156 wide
  const VoucherGridLayout local(false, 1000, metrics);
  EXPECT_EQ(Shown(local), (std::vector<Column>{Column::Summary, Column::Subject, Column::Debit, Column::Credit}));
  const VoucherGridLayout foreign(true, 1000, metrics);
  EXPECT_EQ(Shown(foreign), (std::vector<Column>{Column::Summary, Column::Subject, Column::Currency, Column::Rate,
                                                 Column::Foreign, Column::Debit, Column::Credit}));
  EXPECT_EQ(local.find(Column::Rate), nullptr);
  EXPECT_EQ(foreign.amountWidth(), 13 * 12);

  for (const VoucherGridLayout* layout : {&local, &foreign}) {
    int x = 0;  // the columns touch and fill the width
    for (const GridColumn& column : layout->columns()) {
      EXPECT_EQ(column.x, x);
      x += column.width;
    }
    EXPECT_EQ(x, 1000);
    EXPECT_EQ(layout->find(Column::Credit)->width, 156);
  }
  // The summary takes two fifths of the text width, the subject the rest.
  EXPECT_EQ(local.find(Column::Summary)->width, (1000 - 2 * 156) * 2 / 5);
}

TEST(VoucherGridLayout, TooNarrowAGridKeepsTheTextColumnsReadable) {
  GridMetrics metrics;
  metrics.minimumTextWidth = 150;
  const VoucherGridLayout layout(true, 300, metrics);
  EXPECT_EQ(layout.find(Column::Summary)->width, 150);
  EXPECT_EQ(layout.find(Column::Subject)->width, 150);
  EXPECT_EQ(layout.find(Column::Currency)->x, 300);
}

TEST(VoucherGridLayout, PointsAndTabsFindTheirColumns) {
  const VoucherGridLayout layout(false, 1000, GridMetrics{});
  const GridColumn& debit = *layout.find(Column::Debit);
  EXPECT_EQ(layout.columnAt(0), Column::Summary);
  EXPECT_EQ(layout.columnAt(debit.x - 1), Column::Subject);
  EXPECT_EQ(layout.columnAt(debit.x), Column::Debit);
  EXPECT_EQ(layout.columnAt(999), Column::Credit);
  EXPECT_EQ(layout.columnAt(1000), std::nullopt);
  EXPECT_EQ(layout.columnAt(-1), std::nullopt);
  EXPECT_EQ(layout.previous(Column::Debit), Column::Subject);  // the hidden foreign columns are skipped
  EXPECT_EQ(layout.previous(Column::Summary), std::nullopt);
  EXPECT_EQ(VoucherGridLayout(true, 1000, GridMetrics{}).previous(Column::Debit), Column::Foreign);
}

TEST(AmountSlots, TheSignComesFirstThenTheDigitsAndTheSlotsTileTheCell) {
  const QRect cell(100, 10, 130, 20);  // 13 slots of 10
  EXPECT_EQ(vouchers::AmountSlot(cell, -1), QRect(100, 10, 10, 20));
  EXPECT_EQ(vouchers::AmountSlot(cell, 0), QRect(110, 10, 10, 20));
  EXPECT_EQ(vouchers::AmountSlot(cell, 11), QRect(220, 10, 10, 20));
  const QRect uneven(0, 0, 160, 20);  // the rounding never leaves a gap
  int x = 0;
  for (int position = -1; position < 12; ++position) {
    EXPECT_EQ(vouchers::AmountSlot(uneven, position).left(), x) << position;
    x += vouchers::AmountSlot(uneven, position).width();
  }
  EXPECT_EQ(x, 160);
}

}  // namespace
}  // namespace qj::test
