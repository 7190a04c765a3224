// The host's cash-flow item archive on Qt: the tree, adding through the item
// dialog, a refused item kept in its dialog, deleting.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "cashflow/opening_data_fixture.h"
#include "desktop/cash_flow_item_archive_dialog.h"
#include "support/screenshot.h"
#include "support/widget_lookup.h"

namespace qj::test {
namespace {

class CashFlowItemArchive : public CashFlowBookTest {};
QJ_ON_EVERY_ENGINE(CashFlowItemArchive);

TEST_P(CashFlowItemArchive, TheItemArchiveShowsTheTreeAndAddsAndDeletesThroughItsDialogs) {
  cashflow::ItemArchiveDialog archive(host(), nullptr);
  archive.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&archive));
  auto& tree = Child<QTreeWidget>(archive, "itemTree");
  ASSERT_EQ(tree.topLevelItemCount(), 2);
  ASSERT_EQ(tree.topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(tree.topLevelItem(0)->child(1)->text(1), QStringLiteral("购买支付的现金"));
  EXPECT_EQ(tree.topLevelItem(0)->text(3), QStringLiteral("汇总"));

  Click(archive, "addButton");  // under the chosen 01
  cashflow::ItemDialog* item = archive.itemDialog();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->codeEdit()->text(), QStringLiteral("01"));
  item->codeEdit()->setText(QStringLiteral("0103"));
  item->nameEdit()->setText(QStringLiteral("收到的税费返还"));
  Click(*item, "okButton");
  EXPECT_EQ(host().messages.size(), 0u);
  ASSERT_EQ(tree.topLevelItem(0)->childCount(), 3);
  EXPECT_EQ(tree.currentItem()->text(0), QStringLiteral("0103"));
  SaveScreenshot(archive, "cashflow_item_archive");

  Click(archive, "addButton");
  item = archive.itemDialog();
  ASSERT_NE(item, nullptr);
  item->codeEdit()->setText(QStringLiteral("0301"));
  item->nameEdit()->setText(QStringLiteral("无上级"));
  SaveScreenshot(*item, "cashflow_item_dialog");
  Click(*item, "okButton");
  EXPECT_EQ(host().messages.back().text, "上级项目“03”不存在，请先增加上级项目。");
  EXPECT_TRUE(item->isVisible()) << "a refused item stays in its dialog";
  item->reject();

  tree.setCurrentItem(tree.topLevelItem(1));  // 02
  host().answers = {msgbox::IdYes};
  Click(archive, "deleteButton");
  EXPECT_EQ(tree.topLevelItemCount(), 1);
}

}  // namespace
}  // namespace qj::test
