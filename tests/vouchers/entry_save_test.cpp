// The checks the voucher entry model makes before a voucher may be stored,
// and what leaving a changed voucher asks.
#include <gtest/gtest.h>

#include "entry_model_fixture.h"

namespace qj::test {
namespace {

using vouchers::LeaveDecision;
using vouchers::SaveReadiness;

constexpr int kCancel = 2;

class EntrySave : public EntryModelTest {
 protected:
  // A balanced two-line voucher typed on the screen.
  void typeBalancedVoucher() {
    fillLine("提现", "10001", "100");
    ASSERT_TRUE(model().pressKey(Key::Down));
    fillLine("提现", "1000201", "", "100");
  }
};
QJ_ON_EVERY_ENGINE(EntrySave);

TEST_P(EntrySave, ABalancedVoucherIsReadyAndTheChecksStoreNothing) {
  open();
  typeBalancedVoucher();
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Ready);
  EXPECT_TRUE(host().messages.empty());
  EXPECT_TRUE(model().isNew());
  EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM VoucherMaster").storage(), data::Value(0).storage());
  EXPECT_TRUE(model().pressKey(Key::F2));  // F2 saves
  EXPECT_FALSE(model().isNew());
}

TEST_P(EntrySave, AnUnchangedVoucherHasNothingToStore) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  open("201107000001");
  EXPECT_EQ(model().checkForSave(), SaveReadiness::NothingChanged);
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(EntrySave, TheSaveButtonWantsItsPrivilegesAndAVoucherWord) {
  open();
  typeBalancedVoucher();
  host().deniedPrivileges.insert({58, 2});
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "你没有新增的权限,所做的修改不能保存!");
  host().deniedPrivileges = {{58, 3}};
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "你没有编辑的权限,所做的修改不能保存!");
  host().deniedPrivileges.clear();
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Ready);

  // Scheme 3 does not offer the transfer type 4 proposed in an empty period.
  host().book.AccountVoucherType = 3;
  open();
  EXPECT_EQ(model().header().typeId, 4);
  EXPECT_EQ(model().typeName(), "");
  typeBalancedVoucher();
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "凭证字号不能为空.");
  EXPECT_EQ(last().caption, "提示");
  ASSERT_TRUE(model().setType(5));
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Ready);
}

TEST_P(EntrySave, AMonthBeforeTheStartIsRefusedFirst) {
  open();
  typeBalancedVoucher();
  ASSERT_TRUE(model().setDate(Date(2011, 6, 30)));
  typeIn(Column::Summary, "");  // also no summary: the month still speaks first
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "凭证日期早于帐套的启用期间（2011年7月），不能输入凭证");
}

TEST_P(EntrySave, TheAuditAndPostFlagsAreTheStoredOnes) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0", "提现"}, {"50001", "0", "5", "提现"}});
  open("201107000001");
  typeIn(Column::Summary, "提取现金");
  // Another user audits the voucher while it is on this screen.
  db().execute("UPDATE VoucherMaster SET CHECKFLAG='T' WHERE CREDID='201107000001'");
  EXPECT_FALSE(model().header().checked);
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "该张凭证已经审核，不可再修改");
  db().execute("UPDATE VoucherMaster SET CHECKFLAG='F', POSTFLAG='T' WHERE CREDID='201107000001'");
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "该张凭证已经登帐，不可再修改");
  db().execute("UPDATE VoucherMaster SET POSTFLAG='F' WHERE CREDID='201107000001'");
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Ready);
}

TEST_P(EntrySave, ABadLineAnywhereStopsTheSaveWithTheCursorOnIt) {
  storeVoucher("201107000001", 1, 1, {{"10002", "5", "0", "提现"}, {"50001", "0", "5", "提现"}});
  open("201107000001");
  ASSERT_TRUE(model().moveTo(1, Column::Credit));
  typeIn(Column::Summary, "提取现金");
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "科目'10002'不是一个明细科目");
  EXPECT_EQ(model().currentLine(), 0u);
  EXPECT_EQ(model().currentColumn(), Column::Subject);
}

TEST_P(EntrySave, PendingSubjectInputIsAppliedBeforeTheChecks) {
  open();
  typeBalancedVoucher();
  typeIn(Column::Subject, "100");
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_EQ(lastMessage(), "科目'100'不是一个明细科目");
  typeIn(Column::Subject, "gh");
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Ready);
  EXPECT_EQ(current().subjectCode, "1000201");
  EXPECT_FALSE(model().pendingSubjectText());
}

TEST_P(EntrySave, ATakenIdentifierMovesTheVoucherToAFreeOne) {
  open();
  typeBalancedVoucher();
  // Another user stores a voucher under the same identifier meanwhile.
  storeVoucher("201107000001", 1, 5, {});
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Refused);
  EXPECT_NE(lastMessage().find("已经被占用"), std::string::npos) << lastMessage();
  EXPECT_EQ(model().header().credId, "201107000002");
  EXPECT_EQ(model().header().credNo, 2);
  EXPECT_EQ(model().checkForSave(), SaveReadiness::Ready);
}

TEST_P(EntrySave, LeavingAnUnchangedOrBlankVoucherAsksNothing) {
  open();
  EXPECT_EQ(model().leaveVoucher(), LeaveDecision::Proceed);
  ASSERT_TRUE(model().setBillNumber(2));  // a header change over a single blank line
  EXPECT_EQ(model().leaveVoucher(), LeaveDecision::Proceed);
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(EntrySave, LeavingAChangedVoucherAsksWhetherToSave) {
  open();
  typeBalancedVoucher();
  host().answers = {kCancel};
  EXPECT_FALSE(model().newVoucher());
  EXPECT_EQ(lastMessage(), "凭证数据未保存，是否保存?");
  EXPECT_EQ(last().caption, "询问");
  EXPECT_EQ(model().lines().size(), 2u);

  // Yes saves; when the save is refused the voucher stays with its lines.
  host().refusedLocks = {"CREDWLOCK"};
  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(model().newVoucher());
  EXPECT_EQ(model().lines().size(), 2u);
  EXPECT_TRUE(model().modified());

  host().answers = {msgbox::IdNo};
  ASSERT_TRUE(model().newVoucher());
  EXPECT_EQ(model().lines().size(), 1u);
  EXPECT_FALSE(model().modified());
  EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM VoucherMaster").storage(), data::Value(0).storage());

  host().refusedLocks.clear();
  typeBalancedVoucher();
  host().answers = {msgbox::IdYes};
  ASSERT_TRUE(model().newVoucher());
  EXPECT_EQ(model().header().credId, "201107000002");
  EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM VoucherMaster").storage(), data::Value(1).storage());
}

TEST_P(EntrySave, LeavingWithoutTheRightToSaveSaysSoAndAsksNothing) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  open();
  typeBalancedVoucher();
  host().deniedPrivileges = {{58, 2}};
  ASSERT_TRUE(model().previousVoucher());
  EXPECT_EQ(lastMessage(), "你没有新增的权限,所做的修改不能保存!");
  EXPECT_EQ(model().header().credId, "201107000001");

  typeIn(Column::Summary, "改");
  host().deniedPrivileges = {{58, 3}};
  ASSERT_TRUE(model().nextVoucher());
  EXPECT_EQ(lastMessage(), "你没有修改的权限,所做的修改不能保存!");
  EXPECT_TRUE(model().isNew());
}

}  // namespace
}  // namespace qj::test
