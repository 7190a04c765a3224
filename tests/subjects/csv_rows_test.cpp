// The CSV reader: rows of any width one after another, quoted fields across
// lines, blank rows passed over, the starting line of every row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "subjects/csv_rows.h"

namespace qj::subjects {
namespace {

// Each row as "line:field|field|...".
std::vector<std::string> rowsOf(std::string_view text) {
  std::vector<std::string> out;
  CsvReader reader(text);
  CsvRow row;
  while (reader.next(row)) {
    std::string shown = std::to_string(row.line) + ":";
    for (std::size_t i = 0; i < row.fields.size(); ++i) shown += (i == 0 ? "" : "|") + row.fields[i];
    out.push_back(shown);
  }
  return out;
}

TEST(CsvRows, RowsOfEveryWidthKeepTheirOwnFieldsAndLines) {
  // A wide row, then narrower ones: nothing of the wide row may linger.
  const std::string text =
      "\xEF\xBB\xBF"
      "a,b,c,d\r\n"
      "\n"
      "  \n"
      "e,\"f,\"\"g\"\"\n"
      "h\"\n"
      "\"\"\n"
      ",,\n"
      "x,\n"
      "last";
  // A row of empty fields is blank; a quoted empty field is not.
  EXPECT_EQ(rowsOf(text), (std::vector<std::string>{"1:a|b|c|d", "4:e|f,\"g\"\nh", "6:", "8:x|", "9:last"}));
  EXPECT_TRUE(rowsOf("").empty());
  EXPECT_TRUE(rowsOf("\n \n").empty());
  // An unterminated quote runs to the end of the text.
  EXPECT_EQ(rowsOf("x,\"y\nz"), (std::vector<std::string>{"1:x|y\nz"}));
  EXPECT_EQ(ReadCsv("1,2\n3\n").size(), 2U);
  EXPECT_EQ(ReadCsv("1,2\n3\n")[1].fields, (std::vector<std::string>{"3"}));
}

}  // namespace
}  // namespace qj::subjects
