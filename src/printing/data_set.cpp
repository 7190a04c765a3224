#include "printing/data_set.h"

namespace qj::printing {

const Cell& CellAt(const std::vector<Cell>& row, std::size_t column) {
  static const Cell kEmpty;
  return column < row.size() ? row[column] : kEmpty;
}

std::string CellText(const Cell& cell) {
  if (const auto* text = std::get_if<std::string>(&cell)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&cell)) return std::to_string(*number);
  if (const auto* amount = std::get_if<Money>(&cell)) return amount->grouped();
  if (const auto* date = std::get_if<Date>(&cell)) return date->toString();
  return {};
}

}  // namespace qj::printing
