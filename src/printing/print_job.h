// A list ready to print: its rows, the template that lays them out, an optional
// totals line and the values of the template's variables.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "printing/data_set.h"
#include "printing/print_template.h"
#include "printing/variables.h"

namespace qj::printing {

struct PrintJob {
  PrintTemplate layout;
  DataSet data;
  std::optional<std::vector<Cell>> totals;  // one cell per data set column, printed after the last row
  Variables variables;
};

// For each template column, the index of the data set column it shows. Throws
// PrintError when the template names a column the list does not have.
std::vector<std::size_t> FieldIndexes(const PrintTemplate& layout, const DataSet& data);

}  // namespace qj::printing
