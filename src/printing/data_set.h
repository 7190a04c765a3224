// A list as the printing and export layers take it: named columns and rows of typed cells.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "data/date.h"
#include "data/money.h"

namespace qj::printing {

// A cell: empty, text, a whole number, an amount or a date. Amounts stay
// exact; they become numbers only where a file format needs them.
using Cell = std::variant<std::monostate, std::string, std::int64_t, Money, Date>;

enum class Alignment { Left, Center, Right };

struct Column {
  std::string name;   // field name, used by templates and variables
  std::string title;  // heading shown to the user
  Alignment alignment = Alignment::Left;
  int width = 12;  // in characters; templates may override
};

struct DataSet {
  std::vector<Column> columns;
  std::vector<std::vector<Cell>> rows;  // each row has one cell per column
};

// The cell of a row in a column; an empty cell when the row is short.
const Cell& CellAt(const std::vector<Cell>& row, std::size_t column);

// The cell as shown on paper: amounts with thousands separators and two
// decimals, dates as YYYY-MM-DD.
std::string CellText(const Cell& cell);

}  // namespace qj::printing
