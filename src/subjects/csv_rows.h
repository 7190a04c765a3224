// Rows of comma-separated text as spreadsheet programs write it: fields may be
// quoted with '"', a quoted field may hold commas, line breaks and doubled quotes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qj::subjects {

struct CsvRow {
  int line = 0;  // where the row starts, from 1
  std::vector<std::string> fields;
};

// The rows of a text one at a time, so that a large file is never held as
// rows all at once. Blank rows are passed over; a leading UTF-8 byte-order
// mark is skipped. An unterminated quote runs to the end of the text.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text);
  // Reads the next row into `row`; false at the end of the text.
  bool next(CsvRow& row);

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 1;
};

// Every non-blank row.
std::vector<CsvRow> ReadCsv(std::string_view text);

}  // namespace qj::subjects
