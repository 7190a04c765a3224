// A print template: how a list is laid out on paper. Stored, one per row, in
// PrintStyle.DATA; chosen by the list's report type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/value.h"
#include "printing/data_set.h"

namespace qj::printing {

enum class Orientation { Portrait, Landscape };

struct TemplateColumn {
  std::string field;    // the data set column it shows (Column::name)
  std::string heading;  // printed above the column
  int widthMm = 20;
  Alignment alignment = Alignment::Left;

  friend bool operator==(const TemplateColumn&, const TemplateColumn&) = default;
};

struct PrintTemplate {
  std::string title;
  std::vector<TemplateColumn> columns;
  // Lines above the grid and at the foot of every page. They may hold variables
  // written in braces, e.g. "{公司名称}" or "第{页码}页" (see variables.h).
  std::vector<std::string> headerLines;
  std::vector<std::string> footerLines;
  Orientation orientation = Orientation::Portrait;
  int rowsPerPage = 0;  // 0: as many as fit on the paper

  friend bool operator==(const PrintTemplate&, const PrintTemplate&) = default;
};

// The stored form, a UTF-8 JSON document.
data::Blob TemplateToBytes(const PrintTemplate& layout);
// Throws TemplateFormatError when the bytes are not a template this program can read.
PrintTemplate TemplateFromBytes(const data::Blob& bytes);

// A template as a row of PrintStyle.
struct StoredTemplate {
  std::optional<std::int64_t> id;  // PRINTSTYLEID; none until first saved
  int reportType = 0;              // REPORTTYPE: which lists may use it
  std::string name;                // REPORTNAME, shown in the template choice (at most 40 characters)
  PrintTemplate layout;            // DATA
};

inline constexpr int kMaxTemplateNameLength = 40;
// The widths a template column may have.
inline constexpr int kMinColumnWidthMm = 3;
inline constexpr int kMaxColumnWidthMm = 300;

// The printed width of a data set column: two millimetres a character plus padding.
int ColumnWidthMm(const Column& column);

// The built-in layout of a list before anyone designs one: every column of the
// data set in order, widths from the columns' character widths, landscape when
// they are too wide for portrait paper, company in the header, date and page
// numbers in the footer.
StoredTemplate DefaultTemplate(int reportType, const DataSet& dataSet, const std::string& title);

}  // namespace qj::printing
