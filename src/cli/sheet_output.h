// Writing a ledger's sheet in the format a script asks for: aligned text for
// a terminal, CSV or JSON with amounts as exact decimal text, an .xlsx
// workbook or a PDF file.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ledgers/ledger_sheet.h"

namespace qj::cli {

enum class SheetFormat { Table, Csv, Json, Xlsx, Pdf };

// "--format table|csv|json|xlsx|pdf" (table when not given) with
// "--output FILE" (standard output when not given; xlsx and pdf need a file).
// UsageError for anything else.
SheetFormat ParseSheetFormat(const std::optional<std::string>& format, const std::optional<std::string>& output);

struct SheetHeading {
  std::string title;                     // "明细分类帐"
  std::vector<std::string> headerLines;  // the filter, the company
  int reportType = 0;                    // the print templates of the list
};

// Takes the rows one at a time; CSV and JSON go out as they come, the other
// formats when finished. Nothing is written to a file until finish().
class SheetOutput {
 public:
  SheetOutput(SheetFormat format, std::optional<std::string> path, SheetHeading heading,
              std::vector<ledgers::SheetColumn> columns);
  ~SheetOutput();
  SheetOutput(const SheetOutput&) = delete;
  SheetOutput& operator=(const SheetOutput&) = delete;

  void add(const ledgers::SheetRow& row);
  // Writes what is left and closes the file; throws std::runtime_error with
  // a Chinese message when the file cannot be written.
  void finish();

 private:
  class Writer;
  std::unique_ptr<Writer> writer_;
};

// An amount as exact decimal text: at least two decimals, more only where the
// amount has them ("1234.50", "0.0001").
std::string ExactAmountText(Money amount);

}  // namespace qj::cli
