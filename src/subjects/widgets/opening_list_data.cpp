#include "subjects/widgets/opening_list_data.h"

#include <algorithm>
#include <string>

namespace qj::subjects {
namespace {

printing::Column columnOf(const OpeningColumn& column) {
  std::string heading = column.title;
  std::replace(heading.begin(), heading.end(), '|', ' ');
  std::string name = column.title;
  std::erase(name, '|');
  const bool amount = column.kind == OpeningColumnKind::Amount;
  const int width = column.kind == OpeningColumnKind::Name ? 30 : column.kind == OpeningColumnKind::Direction ? 4 : 14;
  return {name, heading, amount ? printing::Alignment::Right : printing::Alignment::Left, width};
}

std::vector<printing::Cell> cellsOf(const OpeningRow& row, const std::vector<OpeningColumn>& columns) {
  std::vector<printing::Cell> cells;
  for (const OpeningColumn& column : columns) {
    if (column.kind == OpeningColumnKind::Amount)
      cells.emplace_back(row.value(column.field));
    else
      cells.emplace_back(OpeningCellText(row, column));
  }
  return cells;
}

}  // namespace

OpeningListData ShownOpeningList(const OpeningModel& model) {
  OpeningListData list;
  list.title = model.trialSheet() ? "试算平衡表" : model.currencyCaption();
  const std::vector<OpeningColumn> columns = model.columns();
  for (const OpeningColumn& column : columns) list.data.columns.push_back(columnOf(column));
  for (const OpeningRow& row : model.rows()) list.data.rows.push_back(cellsOf(row, columns));
  list.totals = cellsOf(model.total(), columns);
  return list;
}

}  // namespace qj::subjects
