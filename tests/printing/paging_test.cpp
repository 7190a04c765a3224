// Page layout and the rows of each page.
#include "printing/paging.h"

#include <gtest/gtest.h>

#include "printing/errors.h"

namespace qj::printing {
namespace {

PrintTemplate Layout(int rowsPerPage) {
  PrintTemplate layout;
  layout.title = "明细账";
  layout.columns = {{"A", "甲", 60, Alignment::Left}, {"B", "乙", 40, Alignment::Right}};
  layout.headerLines = {"编制单位：{公司名称}"};
  layout.footerLines = {"第{页码}页"};
  layout.rowsPerPage = rowsPerPage;
  return layout;
}

std::vector<PageRows> Pages(int rowsPerPage, std::size_t rows, bool totals) {
  return Paginate(LayOut(Layout(rowsPerPage), A4(Orientation::Portrait)), rows, totals);
}

TEST(Paging, FixedRowsPerPageAndAnEmptyListOnOnePage) {
  EXPECT_EQ(Pages(40, 95, true), (std::vector<PageRows>{{0, 40, false}, {40, 40, false}, {80, 15, true}}));
  EXPECT_EQ(Pages(40, 95, false), (std::vector<PageRows>{{0, 40, false}, {40, 40, false}, {80, 15, false}}));
  // A full last page still has a free grid line for the totals.
  EXPECT_EQ(Pages(40, 80, true), (std::vector<PageRows>{{0, 40, false}, {40, 40, true}}));
  EXPECT_EQ(Pages(40, 0, false), (std::vector<PageRows>{{0, 0, false}}));
  EXPECT_EQ(Pages(40, 0, true), (std::vector<PageRows>{{0, 0, true}}));
}

TEST(Paging, AsManyAsFit) {
  const PageLayout layout = LayOut(Layout(0), A4(Orientation::Portrait));
  // 297 mm less margins (2 × 12), title 10, one header line 6, headings 7, one footer line 6: 244 mm of 5.5 mm rows.
  EXPECT_EQ(layout.linesPerPage, 44);
  EXPECT_EQ(layout.rowsPerPage, 44);
  // When the last page is full, the totals line gets a page of its own.
  EXPECT_EQ(Paginate(layout, 88, true), (std::vector<PageRows>{{0, 44, false}, {44, 44, false}, {88, 0, true}}));
  // More rows per page than the paper holds: as many as it holds.
  EXPECT_EQ(LayOut(Layout(100), A4(Orientation::Portrait)).rowsPerPage, 44);
  EXPECT_LT(LayOut(Layout(0), A4(Orientation::Landscape)).rowsPerPage, 44);
}

TEST(Paging, ColumnsTooWideAreNarrowedToThePaperAndCrowdedPagesAreAnError) {
  PrintTemplate wide = Layout(0);
  wide.columns = {{"A", "甲", 150, Alignment::Left}, {"B", "乙", 222, Alignment::Right}};
  const PageLayout layout = LayOut(wide, A4(Orientation::Portrait));
  EXPECT_DOUBLE_EQ(layout.columnLeftMm[0], kMarginMm);
  EXPECT_DOUBLE_EQ(layout.columnWidthMm[0] + layout.columnWidthMm[1], 186);
  EXPECT_DOUBLE_EQ(layout.columnWidthMm[0] / layout.columnWidthMm[1], 150.0 / 222.0);
  EXPECT_DOUBLE_EQ(layout.columnLeftMm[1], kMarginMm + layout.columnWidthMm[0]);

  PrintTemplate crowded = Layout(0);
  crowded.headerLines.assign(25, "页眉");
  crowded.footerLines.assign(20, "页脚");
  EXPECT_THROW(LayOut(crowded, A4(Orientation::Portrait)), PrintError);
}

}  // namespace
}  // namespace qj::printing
