#include "subjects/csv_rows.h"

namespace qj::subjects {

std::vector<CsvRow> ReadCsv(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<CsvRow> rows;
  CsvRow row{1, {}};
  std::string field;
  bool quoted = false;
  bool rowHasText = false;
  int line = 1;
  auto endRow = [&] {
    row.fields.push_back(std::move(field));
    field.clear();
    if (rowHasText) rows.push_back(std::move(row));
    row = CsvRow{line, {}};
    rowHasText = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') ++line;
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
      continue;
    }
    if (c == '"') {
      quoted = true;
      rowHasText = true;
    } else if (c == ',') {
      row.fields.push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      endRow();
    } else if (c != '\r') {
      field += c;
      rowHasText = rowHasText || (c != ' ' && c != '\t');
    }
  }
  endRow();
  return rows;
}

}  // namespace qj::subjects
