#include "printing/page_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "printing/errors.h"

namespace qj::printing {

PaperSize A4(Orientation orientation) {
  if (orientation == Orientation::Landscape) return {297, 210};
  return {210, 297};
}

double PrintableWidthMm(PaperSize paper) { return paper.widthMm - 2 * kMarginMm; }

PageLayout LayOut(const PrintTemplate& layout, PaperSize paper) {
  PageLayout result;
  result.paper = paper;
  result.headerTopMm = kMarginMm + kTitleHeightMm;
  result.headingTopMm = result.headerTopMm + kLineHeightMm * static_cast<double>(layout.headerLines.size());
  result.bodyTopMm = result.headingTopMm + kHeadingHeightMm;
  result.footerTopMm = paper.heightMm - kMarginMm - kLineHeightMm * static_cast<double>(layout.footerLines.size());

  result.linesPerPage = static_cast<int>(std::floor((result.footerTopMm - result.bodyTopMm) / kRowHeightMm));
  if (result.linesPerPage < 1) throw PrintError("页眉和页脚的行数太多，纸上放不下表格，请修改打印模板。");
  result.rowsPerPage = layout.rowsPerPage > 0 ? std::min(layout.rowsPerPage, result.linesPerPage) : result.linesPerPage;

  const double total = std::accumulate(layout.columns.begin(), layout.columns.end(), 0.0,
                                       [](double sum, const TemplateColumn& column) { return sum + column.widthMm; });
  const double available = PrintableWidthMm(paper);
  const double scale = total > available ? available / total : 1.0;
  double left = kMarginMm;
  for (const TemplateColumn& column : layout.columns) {
    const double width = column.widthMm * scale;
    result.columnLeftMm.push_back(left);
    result.columnWidthMm.push_back(width);
    left += width;
  }
  return result;
}

}  // namespace qj::printing
