// WriteCsv (spreadsheet_export.h).
#include <fstream>

#include "printing/errors.h"
#include "printing/pending_file.h"
#include "printing/spreadsheet_export.h"

namespace qj::printing {
namespace {

std::string CsvField(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string result = "\"";
  for (const char c : text) {
    if (c == '"') result += '"';
    result += c;
  }
  return result + '"';
}

// Text a spreadsheet program would take for a formula ("=", "+", "-", "@" first)
// gets a leading apostrophe, so an exported summary can never run as one.
// Amounts are plain decimal text with two decimals, for other programs to read.
std::string CellField(const Cell& cell) {
  if (const auto* amount = std::get_if<Money>(&cell)) return amount->toString(2);
  std::string text = CellText(cell);
  if (std::holds_alternative<std::string>(cell) && !text.empty() &&
      std::string_view("=+-@").find(text.front()) != std::string_view::npos)
    text.insert(0, 1, '\'');
  return text;
}

void WriteRecord(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out << ',';
    out << CsvField(fields[i]);
  }
  out << "\r\n";
}

void WriteBlock(std::ostream& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) WriteRecord(out, {line});
}

}  // namespace

void WriteCsv(const std::string& path, const std::vector<std::string>& titleLines, const DataSet& dataSet,
              const std::vector<std::string>& footerLines) {
  PendingFile file(path);
  {
    std::ofstream out(file.temporaryPath(), std::ios::binary | std::ios::trunc);
    if (!out) throw ExportError(CannotWriteMessage(path));
    out << "\xEF\xBB\xBF";
    WriteBlock(out, titleLines);
    if (!titleLines.empty()) out << "\r\n";
    std::vector<std::string> fields;
    for (const Column& column : dataSet.columns) fields.push_back(column.title);
    WriteRecord(out, fields);
    for (const auto& row : dataSet.rows) {
      fields.clear();
      for (std::size_t i = 0; i < dataSet.columns.size(); ++i) fields.push_back(CellField(CellAt(row, i)));
      WriteRecord(out, fields);
    }
    if (!footerLines.empty()) out << "\r\n";
    WriteBlock(out, footerLines);
    out.close();
    if (!out) throw ExportError(CannotWriteMessage(path));
  }
  if (!file.commit()) throw ExportError(CannotWriteMessage(path));
}

}  // namespace qj::printing
