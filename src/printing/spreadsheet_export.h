// Export of a list to files a spreadsheet program opens: the title block, the
// grid (headings and rows of the data set) and the footer block below it.
#pragma once

#include <string>
#include <vector>

#include "printing/data_set.h"

namespace qj::printing {

// An .xlsx workbook of one sheet. Amounts are numeric cells shown "#,##0.00",
// whole numbers numeric, dates date cells, text text (so codes such as "0001"
// keep their zeros); column widths are the data set's. The first title line is
// bold and centred over the grid.
// Throws ExportError; no file is left at `path` on failure.
void WriteXlsx(const std::string& path, const std::vector<std::string>& titleLines, const DataSet& dataSet,
               const std::vector<std::string>& footerLines);

// A CSV file in UTF-8 with a byte-order mark (so spreadsheet programs read the
// Chinese right), CRLF line ends, fields quoted where they hold a comma, quote,
// line break or edge spaces. Cells are written as CellText shows them.
// Throws ExportError; no file is left at `path` on failure.
void WriteCsv(const std::string& path, const std::vector<std::string>& titleLines, const DataSet& dataSet,
              const std::vector<std::string>& footerLines);

}  // namespace qj::printing
