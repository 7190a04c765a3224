// The allocation editor and the item picker on their real widgets.
#include "cashflow/widgets/allocation_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "cashflow/allocation_fixture.h"
#include "cashflow/widgets/item_picker.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

class AllocationWidgets : public AllocationTest {
 protected:
  void SetUp() override {
    AllocationTest::SetUp();
    items();
    subjects();
    line(kVoucher, 0, "1001", yuan(100), {});
    allocation(kVoucher, "0101", yuan(100), nullptr);
  }
  static QPushButton* Button(QWidget& within, const QString& text) {
    for (QPushButton* button : within.findChildren<QPushButton*>())
      if (button->text() == text) return button;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
  }
};
QJ_ON_EVERY_ENGINE(AllocationWidgets);

TEST_P(AllocationWidgets, TheGridStoresATypedAmountAndTheButtonsAskBeforeLeavingUnbalanced) {
  cashflow::AllocationEditor editor(cashflow::AllocationEditorModel::Open(host(), kVoucher, yuan(100)), nullptr);
  editor.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
  QTableWidget& grid = *editor.grid();
  ASSERT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), QStringLiteral("现金流量编码"));
  EXPECT_EQ(grid.item(0, 2)->text(), QStringLiteral("100.00"));
  EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsEditable);

  grid.item(1, 3)->setText(QStringLiteral("2,030.5"));
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:100.00:null", "0102:null:2030.50"}));
  EXPECT_EQ(grid.item(1, 3)->text(), QStringLiteral("2,030.50"));
  EXPECT_EQ(editor.totalsLabel()->text(), QStringLiteral("合计　流入：100.00　流出：2,030.50"));
  SaveScreenshot(editor, "cashflow_allocation_editor");

  // Leaving by the close box with a cell still being typed stores it first.
  grid.setCurrentCell(2, 2);
  grid.editItem(grid.item(2, 2));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  QTest::keyClicks(QApplication::focusWidget(), "5");
  host().answers = {msgbox::IdNo, msgbox::IdYes};
  editor.reject();
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:100.00:null", "0102:null:2030.50", "0201:5.00:null"}));
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].caption, "退出询问");
  QTest::mouseClick(Button(editor, QStringLiteral("确定")), Qt::LeftButton);
  EXPECT_FALSE(editor.isVisible());
  EXPECT_EQ(host().messages.size(), 2u);
}

TEST_P(AllocationWidgets, ThePickerShowsTheTreeAndChoosesTheCurrentNode) {
  cashflow::ItemPicker picker(host(), nullptr);
  picker.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
  QTreeWidget& tree = *picker.tree();
  ASSERT_EQ(tree.topLevelItemCount(), 2);
  ASSERT_EQ(tree.topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(tree.topLevelItem(0)->child(1)->text(0), QStringLiteral("0102              购买支付的现金"));
  EXPECT_EQ(tree.currentItem(), tree.topLevelItem(0));
  SaveScreenshot(picker, "cashflow_item_picker");
  tree.setCurrentItem(tree.topLevelItem(1)->child(0));
  EXPECT_EQ(picker.model().choose(), (cashflow::PickedItem{"0201", true}));
}

}  // namespace
}  // namespace qj::test
