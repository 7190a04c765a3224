#include "ledgers/widgets/sheet_data_set.h"

namespace qj::ledgers {

printing::DataSet SheetDataSet(const std::vector<SheetColumn>& columns, const std::vector<SheetRow>& rows) {
  printing::DataSet data;
  for (const auto& column : columns) {
    const bool amount = column.kind == SheetColumnKind::Amount;
    data.columns.push_back(
        {column.name, column.title, amount ? printing::Alignment::Right : printing::Alignment::Left, amount ? 14 : 10});
  }
  data.rows.reserve(rows.size());
  for (const auto& row : rows) {
    auto& cells = data.rows.emplace_back();
    cells.reserve(row.size());
    for (const auto& cell : row)
      cells.push_back(std::visit([](const auto& value) -> printing::Cell { return value; }, cell));
  }
  return data;
}

}  // namespace qj::ledgers
