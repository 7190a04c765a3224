// Rows of comma-separated text as spreadsheet programs write it: fields may be
// quoted with '"', a quoted field may hold commas, line breaks and doubled quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qj::subjects {

struct CsvRow {
  int line = 0;  // where the row starts, from 1
  std::vector<std::string> fields;
};

// Every non-blank row; a leading UTF-8 byte-order mark is skipped. An
// unterminated quote runs to the end of the text.
std::vector<CsvRow> ReadCsv(std::string_view text);

}  // namespace qj::subjects
