// The allocation editor of one voucher: what opening and closing leave in the
// book, edits written through one row at a time, the balance question, the
// privilege to edit, and two editors on one voucher.
#include "cashflow/allocation_editor_model.h"

#include <gtest/gtest.h>

#include "allocation_fixture.h"

namespace qj::test {
namespace {

using cashflow::AllocationColumn;
using cashflow::AllocationEditorModel;
using cashflow::AllocationRow;

class AllocationEditor : public AllocationTest {
 protected:
  void SetUp() override {
    AllocationTest::SetUp();
    items();
    subjects();
    line(kVoucher, 0, "1001", yuan(100), {});
    line(kVoucher, 1, "5001", {}, yuan(100));
  }
  std::unique_ptr<AllocationEditorModel> open(Money cash = yuan(100)) {
    auto editor = AllocationEditorModel::Open(host(), kVoucher, cash);
    EXPECT_TRUE(editor);
    return editor;
  }
  std::int64_t rowsInBook() { return data::IntegerOf(db().scalar("SELECT COUNT(*) FROM FluxionDistribute")); }
};
QJ_ON_EVERY_ENGINE(AllocationEditor);

TEST_P(AllocationEditor, OpeningStoresNothingAndDropsTheVouchersRowsOfItemsThatCarryNoAmounts) {
  allocation(kVoucher, "01", yuan(5), nullptr);    // a summary item
  allocation(kVoucher, "0301", yuan(6), nullptr);  // an item no longer in the list
  allocation(kVoucher, "0102", nullptr, yuan(30));
  allocation("201107000002", "01", yuan(7), nullptr);  // another voucher's rows stay
  const auto editor = open();
  EXPECT_EQ(editor->rows(), (std::vector<AllocationRow>{{"0101", "销售收到的现金", {}, {}},
                                                        {"0102", "购买支付的现金", {}, yuan(30)},
                                                        {"0201", "收回投资", {}, {}}}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"0102:null:30.00"}));
  EXPECT_EQ(rowsInBook(), 2);
  EXPECT_TRUE(editor->editable());
}

// With no item to allocate to, the editor says so and offers the item
// archive; it opens once the archive has items.
TEST_P(AllocationEditor, WithoutItemsItOffersTheItemArchiveInsteadOfAnEmptyGrid) {
  db().execute("DELETE FROM Fluxion");
  host().answers = {msgbox::IdNo};
  EXPECT_FALSE(AllocationEditorModel::Open(host(), kVoucher, yuan(100)));
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text,
            "还没有定义现金流量项目，无法分配。\r\n请先在“现金流量项目”中定义项目。现在打开现金流量项目吗？");
  EXPECT_TRUE(host().globalCalls.empty());

  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(AllocationEditorModel::Open(host(), kVoucher, yuan(100)));  // the archive was closed without items
  EXPECT_EQ(host().globalCalls, (std::vector<std::string>{"OvoFluxionArchives_Frm"}));

  host().answers = {msgbox::IdYes};
  host().onPrivilegedForm = [this](const std::string&) { items(); };
  const auto editor = AllocationEditorModel::Open(host(), kVoucher, yuan(100));
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->rows().size(), 3u);
}

TEST_P(AllocationEditor, EachEditStoresItsRowAtOnceAndARowBackToZeroIsDeleted) {
  const auto editor = open();
  EXPECT_TRUE(editor->setAmount(0, AllocationColumn::Inflow, yuan(100)));
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:100.00:null"}));
  EXPECT_TRUE(editor->setAmountText(1, AllocationColumn::Outflow, " 30.5 "));
  EXPECT_TRUE(editor->setAmountText(1, AllocationColumn::Inflow, "0.0001"));
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:100.00:null", "0102:0.00:30.50"}));
  EXPECT_EQ(editor->totals(), (cashflow::AllocationSums{Money::parse("100.0001"), Money::parse("30.5")}));

  EXPECT_TRUE(editor->setAmountText(0, AllocationColumn::Inflow, ""));
  EXPECT_TRUE(editor->setAmount(1, AllocationColumn::Inflow, {}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"0102:0.00:30.50"}));
  EXPECT_TRUE(editor->setAmount(1, AllocationColumn::Outflow, {}));
  EXPECT_EQ(stored(), std::vector<std::string>{});
  EXPECT_EQ(editor->rows()[1], (AllocationRow{"0102", "购买支付的现金", {}, {}}));

  EXPECT_FALSE(editor->setAmountText(2, AllocationColumn::Inflow, "12a"));
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].caption, "错误");
  EXPECT_EQ(rowsInBook(), 0);
}

TEST_P(AllocationEditor, AnAllocationWithEveryRowZeroLeavesNoRowsAfterClosing) {
  allocation(kVoucher, "0101", yuan(0), nullptr);  // empty rows an earlier editor left
  allocation(kVoucher, "0102", nullptr, nullptr);
  allocation("201107000002", "0101", nullptr, nullptr);  // not this voucher's
  {
    const auto editor = open(yuan(0));
    editor->setAmount(2, AllocationColumn::Inflow, yuan(0));
    EXPECT_TRUE(editor->mayClose());
  }
  EXPECT_EQ(stored(), std::vector<std::string>{});
  EXPECT_EQ(rowsInBook(), 1);
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(AllocationEditor, ClosingAsksOnlyWhenTheAllocationDiffersFromTheCashAmount) {
  const auto editor = open(yuan(100));
  editor->setAmount(0, AllocationColumn::Inflow, yuan(100));
  EXPECT_TRUE(editor->mayClose());
  EXPECT_TRUE(host().messages.empty());

  editor->setAmount(0, AllocationColumn::Inflow, yuan(80));
  host().answers = {msgbox::IdNo, msgbox::IdYes};
  EXPECT_FALSE(editor->mayClose());
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text,
            "凭证中现金流量类科目借方、贷方差额为：100.0000\r\n而现金流量金额分配中流入、流出差额为：80.0000\r\n"
            "两者不相等，是否继续退出？");
  EXPECT_EQ(host().messages[0].caption, "退出询问");
  EXPECT_EQ(host().messages[0].flags, msgbox::AskYesNo);
  EXPECT_TRUE(editor->mayClose());
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:80.00:null"}));  // nothing blocks a partial allocation
}

TEST_P(AllocationEditor, WithoutTheEditPrivilegeTheRowsAreReadOnlyAndNothingIsWritten) {
  allocation(kVoucher, "0101", yuan(40), nullptr);
  host().deniedPrivileges = {{cashflow::kAllocationPrivilegeFunction, 3}};
  {
    const auto editor = open();
    EXPECT_FALSE(editor->editable());
    EXPECT_FALSE(editor->setAmount(0, AllocationColumn::Inflow, yuan(100)));
    EXPECT_FALSE(editor->setAmountText(1, AllocationColumn::Outflow, "5"));
    EXPECT_EQ(editor->rows()[0].inflow, yuan(40));
  }
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:40.00:null"}));

  host().deniedPrivileges = {{cashflow::kAllocationPrivilegeFunction, 1}};
  allocation(kVoucher, "01", yuan(5), nullptr);
  EXPECT_FALSE(AllocationEditorModel::Open(host(), kVoucher, yuan(100)));
  EXPECT_EQ(rowsInBook(), 2);  // not even the summary item's row is touched
}

TEST_P(AllocationEditor, TwoEditorsOnOneVoucherKeepEachOthersAmounts) {
  const auto first = open();
  auto second = open();
  first->setAmount(0, AllocationColumn::Inflow, yuan(100));
  // The second still shows 0101 empty; its outflow leaves the first's inflow.
  second->setAmount(0, AllocationColumn::Outflow, yuan(5));
  EXPECT_EQ(second->rows()[0], (AllocationRow{"0101", "销售收到的现金", yuan(100), yuan(5)}));
  second->setAmount(1, AllocationColumn::Outflow, yuan(30));
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:100.00:5.00", "0102:null:30.00"}));

  // The question weighs what is stored: 100 - 5 - 30.
  host().answers = {msgbox::IdNo};
  EXPECT_FALSE(second->mayClose());
  EXPECT_NE(host().messages.at(0).text.find("流出差额为：65.0000"), std::string::npos);
  second.reset();
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:100.00:5.00", "0102:null:30.00"}));
}

TEST_P(AllocationEditor, ADatabaseErrorIsReportedAndTheRowShowsWhatIsStored) {
  allocation(kVoucher, "0101", yuan(50), nullptr);
  const auto editor = open();
  failDeletions();
  EXPECT_FALSE(editor->setAmount(0, AllocationColumn::Inflow, {}));
  EXPECT_EQ(host().databaseErrors.size(), 1u);
  EXPECT_EQ(editor->rows()[0].inflow, yuan(50));
  EXPECT_EQ(stored(), (std::vector<std::string>{"0101:50.00:null"}));  // the write was rolled back
}

}  // namespace
}  // namespace qj::test
