#include "vouchers/widgets/voucher_grid_layout.h"

#include <algorithm>

namespace qj::vouchers {

VoucherGridLayout::VoucherGridLayout(bool foreignShown, int width, const GridMetrics& metrics)
    : amountWidth_(kAmountSlots * metrics.slotWidth) {
  int fixed = 2 * amountWidth_;
  if (foreignShown) fixed += metrics.currencyWidth + metrics.rateWidth + amountWidth_;
  // The summary takes two fifths of what is left, the subject the rest.
  const int text = std::max(width - fixed, 2 * metrics.minimumTextWidth);
  const int summary = std::max(text * 2 / 5, metrics.minimumTextWidth);
  const int subject = text - summary;

  int x = 0;
  auto add = [&](Column column, int columnWidth) {
    columns_.push_back({column, x, columnWidth});
    x += columnWidth;
  };
  add(Column::Summary, summary);
  add(Column::Subject, subject);
  if (foreignShown) {
    add(Column::Currency, metrics.currencyWidth);
    add(Column::Rate, metrics.rateWidth);
    add(Column::Foreign, amountWidth_);
  }
  add(Column::Debit, amountWidth_);
  add(Column::Credit, amountWidth_);
}

const GridColumn* VoucherGridLayout::find(Column column) const {
  for (const GridColumn& shown : columns_)
    if (shown.column == column) return &shown;
  return nullptr;
}

std::optional<Column> VoucherGridLayout::columnAt(int x) const {
  for (const GridColumn& shown : columns_)
    if (x >= shown.x && x < shown.x + shown.width) return shown.column;
  return std::nullopt;
}

std::optional<Column> VoucherGridLayout::previous(Column column) const {
  for (std::size_t i = 1; i < columns_.size(); ++i)
    if (columns_[i].column == column) return columns_[i - 1].column;
  return std::nullopt;
}

}  // namespace qj::vouchers
