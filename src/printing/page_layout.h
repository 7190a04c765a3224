// Where everything of a printed list goes on a sheet of paper, in millimetres:
// title, header lines, column headings, the grid rows and the footer lines.
#pragma once

#include <vector>

#include "printing/print_template.h"

namespace qj::printing {

struct PaperSize {
  double widthMm = 210;
  double heightMm = 297;
};

// A4 in the template's orientation.
PaperSize A4(Orientation orientation);

inline constexpr double kMarginMm = 12;
inline constexpr double kTitleHeightMm = 10;
inline constexpr double kLineHeightMm = 6;  // a header or footer line
inline constexpr double kHeadingHeightMm = 7;
inline constexpr double kRowHeightMm = 5.5;

// The printable width of a sheet: the paper less both margins.
double PrintableWidthMm(PaperSize paper);

struct PageLayout {
  PaperSize paper;
  double headerTopMm = 0;   // first header line
  double headingTopMm = 0;  // column headings
  double bodyTopMm = 0;     // first grid row
  double footerTopMm = 0;   // first footer line
  // Left edge (from the paper's edge) and width of each template column. Columns
  // wider together than the paper are narrowed in proportion, so none is cut off.
  std::vector<double> columnLeftMm;
  std::vector<double> columnWidthMm;
  int linesPerPage = 0;  // grid rows the body holds (data rows and the totals line)
  int rowsPerPage = 0;   // data rows per page: the template's number, at most linesPerPage
};

// Throws PrintError when the header and footer leave no room for a single grid row.
PageLayout LayOut(const PrintTemplate& layout, PaperSize paper);

}  // namespace qj::printing
