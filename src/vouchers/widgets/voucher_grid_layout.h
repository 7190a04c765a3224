// Where the voucher grid's columns and rows lie: the amount columns as wide
// as their thirteen digit positions, the two text columns sharing the rest.
#pragma once

#include <optional>
#include <vector>

#include "vouchers/voucher_line.h"

namespace qj::vouchers {

struct GridColumn {
  Column column;
  int x = 0;
  int width = 0;
};

struct GridMetrics {
  int slotWidth = 12;  // one digit position of an amount cell
  int currencyWidth = 64;
  int rateWidth = 80;
  int minimumTextWidth = 120;  // the summary and subject columns never get narrower
};

class VoucherGridLayout {
 public:
  // The sign and twelve digits of an amount cell.
  static constexpr int kAmountSlots = 13;

  VoucherGridLayout(bool foreignShown, int width, const GridMetrics& metrics);

  // The shown columns, left to right; they touch and fill the width (the
  // text columns keep their minimum when the width is too small for all).
  [[nodiscard]] const std::vector<GridColumn>& columns() const { return columns_; }
  [[nodiscard]] const GridColumn* find(Column column) const;
  // The shown column under x, nothing left or right of the grid.
  [[nodiscard]] std::optional<Column> columnAt(int x) const;
  // The shown column before `column`, nothing at the left end.
  [[nodiscard]] std::optional<Column> previous(Column column) const;
  [[nodiscard]] int amountWidth() const { return amountWidth_; }

 private:
  std::vector<GridColumn> columns_;
  int amountWidth_ = 0;
};

[[nodiscard]] constexpr bool IsAmountColumn(Column column) {
  return column == Column::Foreign || column == Column::Debit || column == Column::Credit;
}

}  // namespace qj::vouchers
