#include "subjects/csv_rows.h"

namespace qj::subjects {

CsvReader::CsvReader(std::string_view text) : text_(text) {
  if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
}

bool CsvReader::next(CsvRow& row) {
  // The row's strings are written over rather than made anew, so that a
  // reader going through a large file allocates almost nothing.
  std::size_t count = 0;
  const auto startField = [&row, &count]() -> std::string& {
    if (count == row.fields.size()) row.fields.emplace_back();
    std::string& field = row.fields[count++];
    field.clear();
    return field;
  };
  while (at_ < text_.size()) {
    row.line = line_;
    count = 0;
    std::string* field = &startField();
    bool quoted = false;
    bool rowHasText = false;
    for (; at_ < text_.size(); ++at_) {
      const char c = text_[at_];
      if (c == '\n') ++line_;
      if (quoted) {
        if (c == '"' && at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
          *field += '"';
          ++at_;
        } else if (c == '"') {
          quoted = false;
        } else {
          *field += c;
        }
        continue;
      }
      if (c == '"') {
        quoted = true;
        rowHasText = true;
      } else if (c == ',') {
        field = &startField();
      } else if (c == '\n') {
        ++at_;
        break;
      } else if (c != '\r') {
        *field += c;
        rowHasText = rowHasText || (c != ' ' && c != '\t');
      }
    }
    if (rowHasText) {
      row.fields.resize(count);
      return true;
    }
  }
  row.fields.clear();
  return false;
}

std::vector<CsvRow> ReadCsv(std::string_view text) {
  std::vector<CsvRow> rows;
  CsvReader reader(text);
  CsvRow row;
  while (reader.next(row)) rows.push_back(row);
  return rows;
}

}  // namespace qj::subjects
