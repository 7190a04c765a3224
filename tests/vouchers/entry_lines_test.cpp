// Moving between lines of the voucher entry model, adding and removing them.
#include <gtest/gtest.h>

#include "entry_model_fixture.h"

namespace qj::test {
namespace {

class EntryLines : public EntryModelTest {};
QJ_ON_EVERY_ENGINE(EntryLines);

TEST_P(EntryLines, LeavingTheLastLineDownwardsChecksItAndAppendsOneWithItsSummary) {
  open();
  typeIn(Column::Summary, "报销差旅费");
  EXPECT_FALSE(model().pressKey(Key::Down));
  EXPECT_EQ(lastMessage(), "科目编码不能为空");
  EXPECT_EQ(model().currentColumn(), Column::Subject);
  typeIn(Column::Subject, "50002");
  EXPECT_FALSE(model().pressKey(Key::Down));
  EXPECT_EQ(lastMessage(), "金额栏不能为0");
  EXPECT_EQ(last().caption, "提示信息");
  typeIn(Column::Debit, "0.00");
  EXPECT_FALSE(model().pressKey(Key::Down));  // zeros are no amount
  EXPECT_EQ(model().lines().size(), 1u);
  typeIn(Column::Debit, "<<<<1");
  ASSERT_TRUE(model().pressKey(Key::Down));
  ASSERT_EQ(model().lines().size(), 2u);
  EXPECT_EQ(model().currentLine(), 1u);
  EXPECT_EQ(current().summary, "报销差旅费");
  EXPECT_EQ(current().subjectCode, "");
  EXPECT_EQ(model().currentColumn(), Column::Debit);
}

TEST_P(EntryLines, EnterWalksTheColumnsAndFromTheCreditStartsTheNextLine) {
  open();
  typeIn(Column::Summary, "付款");
  ASSERT_TRUE(model().pressKey(Key::Enter));
  EXPECT_EQ(model().currentColumn(), Column::Subject);
  model().editSubjectText("10001");
  ASSERT_TRUE(model().pressKey(Key::Enter));
  EXPECT_EQ(model().currentColumn(), Column::Debit);  // the foreign columns are hidden
  keys("5");
  ASSERT_TRUE(model().pressKey(Key::Enter));
  EXPECT_EQ(model().currentColumn(), Column::Credit);
  ASSERT_TRUE(model().pressKey(Key::Enter));
  EXPECT_EQ(model().currentLine(), 1u);
  EXPECT_EQ(model().currentColumn(), Column::Summary);
  model().toggleForeignColumns();
  model().moveTo(1, Column::Subject);
  ASSERT_TRUE(model().pressKey(Key::Enter));
  EXPECT_EQ(model().currentColumn(), Column::Currency);
}

TEST_P(EntryLines, UpDropsATrailingLineThatHoldsOnlyTheCarriedSummary) {
  open();
  fillLine("付款", "10001", "5");
  ASSERT_TRUE(model().pressKey(Key::Down));
  ASSERT_TRUE(model().pressKey(Key::Up));
  EXPECT_EQ(model().lines().size(), 1u);
  EXPECT_EQ(model().currentLine(), 0u);
  EXPECT_FALSE(model().pressKey(Key::Up));  // nothing above the first line

  ASSERT_TRUE(model().pressKey(Key::Down));
  typeIn(Column::Subject, "50001");
  ASSERT_TRUE(model().pressKey(Key::Up));
  EXPECT_EQ(model().lines().size(), 2u);  // a line with a subject stays
}

TEST_P(EntryLines, InsertChecksTheCurrentLineAndCopiesTheSummaryAbove) {
  open();
  EXPECT_FALSE(model().insertLine());
  EXPECT_EQ(lastMessage(), "科目编码不能为空");
  fillLine("第一行", "10001", "5");
  ASSERT_TRUE(model().pressKey(Key::Down));
  fillLine("第二行", "50001", "", "5");
  ASSERT_TRUE(model().insertLine());
  ASSERT_EQ(model().lines().size(), 3u);
  EXPECT_EQ(model().currentLine(), 1u);
  EXPECT_EQ(current().summary, "第一行");
  EXPECT_EQ(line(2).summary, "第二行");
  // Before the first line the new line starts empty.
  fillLine("新行", "50002", "1");
  ASSERT_TRUE(model().moveTo(0, Column::Summary));
  ASSERT_TRUE(model().insertLine());
  EXPECT_EQ(model().lines().size(), 4u);
  EXPECT_EQ(line(0).summary, "");
  EXPECT_EQ(line(1).summary, "第一行");
}

TEST_P(EntryLines, RemoveTakesTheCurrentLineAndItsAmountsAway) {
  storeVoucher("201107000001", 1, 1,
               {{"50001", "100", "0"}, {"10001", "0", "100"}, {"10001", "0", "9", "系统", 0, "0", "0", true}});
  open("201107000001");
  ASSERT_TRUE(model().moveTo(1, Column::Summary));
  ASSERT_TRUE(model().removeLine());
  ASSERT_EQ(model().lines().size(), 2u);
  EXPECT_EQ(model().creditTotal(), amount("9"));
  EXPECT_EQ(model().debitTotal(), amount("100"));
  EXPECT_TRUE(model().modified());
  EXPECT_EQ(model().currentLine(), 1u);
  EXPECT_FALSE(model().removeLine());
  EXPECT_EQ(lastMessage(), "当前分录为系统制作的只读分录，不可修改或删除。");
  ASSERT_TRUE(model().moveTo(0, Column::Summary));
  ASSERT_TRUE(model().removeLine());
  ASSERT_TRUE(model().moveTo(0, Column::Summary));
  EXPECT_FALSE(model().removeLine());
  EXPECT_EQ(model().lines().size(), 1u);
}

TEST_P(EntryLines, RemovingTheOnlyLineLeavesABlankOne) {
  open();
  fillLine("付款", "10001", "5");
  ASSERT_TRUE(model().removeLine());
  ASSERT_EQ(model().lines().size(), 1u);
  EXPECT_TRUE(current().isBlank());
  EXPECT_EQ(model().debitTotal(), Money());
}

TEST_P(EntryLines, ThePhraseChooserNeedsItsPrivilegeAndReplacesTheSummary) {
  int shown = 0;
  std::optional<std::string> phrase = "提取备用金";
  vouchers::VoucherEntryOptions options;
  options.choosePhrase = [&] {
    ++shown;
    return phrase;
  };
  open({}, options);
  typeIn(Column::Summary, "旧摘要");
  host().deniedPrivileges.insert({20, 1});
  EXPECT_FALSE(model().chooseSummary());
  EXPECT_EQ(shown, 0);
  host().deniedPrivileges.clear();
  ASSERT_TRUE(model().chooseSummary());
  EXPECT_EQ(current().summary, "提取备用金");
  phrase.reset();
  EXPECT_FALSE(model().chooseSummary());
  EXPECT_EQ(current().summary, "提取备用金");
  EXPECT_EQ(shown, 2);
}

TEST_P(EntryLines, ASummaryKeepsItsFirstFortyCharacters) {
  open();
  std::string longText;
  for (int i = 0; i < 45; ++i) longText += "账";
  typeIn(Column::Summary, longText);
  EXPECT_EQ(current().summary, longText.substr(0, 40 * std::string("账").size()));
}

TEST_P(EntryLines, MovingIntoAHiddenColumnIsRefused) {
  open();
  EXPECT_FALSE(model().moveTo(0, Column::Foreign));
  EXPECT_FALSE(model().moveTo(3, Column::Summary));
  model().toggleForeignColumns();
  EXPECT_TRUE(model().moveTo(0, Column::Foreign));
}

}  // namespace
}  // namespace qj::test
