// The opening cash-flow data screen and the item archive on their real widgets.
#include "cashflow/widgets/opening_data_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "cashflow/opening_data_fixture.h"
#include "support/screenshot.h"
#include "support/widget_lookup.h"

namespace qj::test {
namespace {

class CashFlowScreens : public CashFlowBookTest {
 protected:
  template <class Dialog>
  static void shown(Dialog& dialog) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }
  // Types digits into a cell of the grid as a user does and presses Enter.
  static void type(QTableView& grid, int row, int column, const char* digits) {
    const QModelIndex index = grid.model()->index(row, column);
    grid.setCurrentIndex(index);
    grid.edit(index);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, digits);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
  }
};
QJ_ON_EVERY_ENGINE(CashFlowScreens);

TEST_P(CashFlowScreens, TheOpeningDataScreenOffersTheMonthsAndSavesTypedAmountsWithItsButton) {
  startIn(4);
  cashflow::OpeningDataDialog dialog(host(), nullptr);
  ASSERT_TRUE(dialog.prepare());
  shown(dialog);
  auto& months = Child<QListWidget>(dialog, "monthList");
  ASSERT_EQ(months.count(), 3);
  EXPECT_EQ(months.item(2)->text(), QStringLiteral("三月份"));
  EXPECT_EQ(months.currentRow(), 0);
  auto& grid = Child<QTableView>(dialog, "openingDataTable");
  ASSERT_EQ(grid.model()->rowCount(), 3);
  EXPECT_EQ(grid.model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("方向"));
  EXPECT_EQ(grid.model()->index(1, 4).data().toString(), QStringLiteral("流出"));
  EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 1)) & Qt::ItemIsEditable);
  auto& save = Child<QPushButton>(dialog, "saveButton");
  EXPECT_FALSE(save.isEnabled());

  type(grid, 0, 2, "1500.5");
  type(grid, 1, 3, "80");
  EXPECT_TRUE(save.isEnabled());
  SaveScreenshot(dialog, "cashflow_opening_data");
  Click(dialog, "saveButton");
  EXPECT_EQ(stored("201101"), (std::vector<std::string>{"0101:1500.50:0.00", "0102:0.00:80.00", "02:0.00:0.00"}));
  EXPECT_FALSE(save.isEnabled());

  // Another month with an edit pending: No drops it.
  type(grid, 2, 3, "9");
  host().answers = {msgbox::IdNo};
  months.setCurrentRow(1);
  EXPECT_EQ(host().messages.back().text, "数据已改变，是否存盘？");
  EXPECT_EQ(dialog.model().period(), "201102");
  EXPECT_EQ(grid.model()->index(2, 3).data().toString(), QStringLiteral("0.00"));
  EXPECT_EQ(stored("201101")[2], "02:0.00:0.00");
}

}  // namespace
}  // namespace qj::test
