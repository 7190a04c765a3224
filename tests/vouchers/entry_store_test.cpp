// Storing and deleting vouchers from the voucher screen's model: the rows
// written, the save lock, renumbering with the allocation following, and
// what happens when another session or the database gets in the way.
#include <gtest/gtest.h>

#include "entry_model_fixture.h"
#include "hostapi/vor_params.h"

namespace qj::test {
namespace {

class EntryStore : public EntryModelTest {
 protected:
  // A balanced voucher with a line between its two lines that holds no
  // more than the summary carried down.
  void typeVoucherWithGap() {
    fillLine("提现", "10001", "100");
    ASSERT_TRUE(model().pressKey(Key::Down));
    fillLine("提现", "1000201", "", "100");
    ASSERT_TRUE(model().insertLine());
    ASSERT_TRUE(model().moveTo(0, Column::Summary));
  }

  std::int64_t count(const std::string& sql, const data::Params& params = {}) {
    return std::get<std::int64_t>(db().scalar(sql, params).storage());
  }

  void allocate(const std::string& credId, const char* cashId, const char* inflow) {
    db().execute("INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT) VALUES (:id, :cash, :debit)",
                 {{"id", credId}, {"cash", cashId}, {"debit", Money::parse(inflow)}});
  }
};
QJ_ON_EVERY_ENGINE(EntryStore);

TEST_P(EntryStore, SaveStoresTheLinesWithAmountsWithoutGapsAndZeroAsNull) {
  open();
  typeVoucherWithGap();
  ASSERT_TRUE(model().pressKey(Key::F2));
  EXPECT_FALSE(model().isNew());
  EXPECT_FALSE(model().modified());
  EXPECT_EQ(model().storedCredId(), "201107000001");
  EXPECT_EQ(model().lines().size(), 2u);  // shown as stored

  const auto rows = db().query(
      "SELECT FENLUNO, SUBJECTID, DEBIT, CREDIT, RAWDEBIT, READONLY FROM VoucherDetail WHERE CREDID='201107000001' "
      "ORDER BY FENLUNO");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].integer("FENLUNO"), 0);
  EXPECT_EQ(rows[0].money("DEBIT"), amount("100"));
  EXPECT_TRUE(rows[0].isNull("CREDIT"));
  EXPECT_TRUE(rows[0].isNull("RAWDEBIT"));
  EXPECT_EQ(rows[0].text("READONLY"), "F");
  EXPECT_EQ(rows[1].integer("FENLUNO"), 1);
  EXPECT_EQ(rows[1].text("SUBJECTID"), "1000201");
  EXPECT_TRUE(rows[1].isNull("DEBIT"));

  const auto master = db().queryOne("SELECT BILLMAKER, CREDCODE, CHECKFLAG FROM VoucherMaster");
  ASSERT_TRUE(master);
  EXPECT_EQ(master->text("BILLMAKER"), "测试员");
  EXPECT_EQ(master->integer("CREDCODE"), 1);
  EXPECT_EQ(master->text("CHECKFLAG"), "F");
  EXPECT_FALSE(host().heldLocks.contains("CREDWLOCK"));
  EXPECT_TRUE(host().messages.empty());

  // Changing the stored voucher rewrites its lines under the same identifier.
  ASSERT_TRUE(model().moveTo(0, Column::Summary));
  ASSERT_TRUE(model().editSummary("提取现金"));
  ASSERT_TRUE(model().save());
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail"), 2);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE Precis='提取现金'"), 1);
}

TEST_P(EntryStore, ABusySaveLockStoresNothingAndKeepsTheVoucher) {
  open();
  typeVoucherWithGap();
  host().refusedLocks.insert("CREDWLOCK");
  EXPECT_FALSE(model().save());
  EXPECT_EQ(lastMessage(), "其他用户正在保存凭证，请稍后再保存。");
  EXPECT_EQ(last().caption, "青简财务");
  EXPECT_TRUE(model().isNew());
  EXPECT_EQ(model().lines().size(), 3u);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster"), 0);

  host().refusedLocks.clear();
  EXPECT_TRUE(model().save());
}

TEST_P(EntryStore, AVoucherMovedToAnotherMonthTakesItsLinesAndAllocationAlong) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  allocate("201107000001", "0101", "5");
  open("201107000001");
  ASSERT_TRUE(model().setDate(Date(2011, 8, 3)));
  ASSERT_EQ(model().header().credId, "201108000001");
  ASSERT_TRUE(model().save());

  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE CREDID='201107000001'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CREDID='201107000001'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE CREDID='201108000001'"), 2);
  EXPECT_EQ(count("SELECT COUNT(*) FROM FluxionDistribute WHERE CREDID='201108000001'"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM FluxionDistribute"), 1);
  EXPECT_EQ(model().storedCredId(), "201108000001");
  EXPECT_EQ(model().allocationCredId(), "201108000001");
}

TEST_P(EntryStore, AnIdentifierTakenWhileWaitingForTheLockIsReplacedAndTheSaveStops) {
  open();
  typeVoucherWithGap();
  host().onLocked["CREDWLOCK"] = [this] {
    storeVoucher("201107000001", 2, 1, {{"10001", "1", "0"}, {"50001", "0", "1"}});
  };
  EXPECT_FALSE(model().save());
  EXPECT_EQ(lastMessage(), "凭证编号1已经被占用，不能保存该凭证。凭证编号将被重新设置为2。");
  EXPECT_EQ(model().header().credId, "201107000002");
  EXPECT_TRUE(model().isNew());
  EXPECT_TRUE(model().save());
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster"), 2);
}

TEST_P(EntryStore, ATakenNumberWithinTheTypeOffersTheNextFreeOne) {
  open();
  typeVoucherWithGap();
  // Another module stored type 1 number 1 under another identifier meanwhile.
  host().onLocked["CREDWLOCK"] = [this] {
    storeVoucher("201107000009", 1, 1, {{"10001", "1", "0"}, {"50001", "0", "1"}});
  };
  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(model().save());
  EXPECT_EQ(lastMessage(), "凭证号已经存在，你必须修改它；是否愿意使用系统为你提供的最大凭证号2?");
  EXPECT_EQ(model().header().credCode, 2);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster"), 1);
  EXPECT_TRUE(model().save());
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE CREDID='201107000001'"), 2);
}

TEST_P(EntryStore, ADatabaseErrorRollsBackAndKeepsTheVoucherForAnotherTry) {
  open();
  typeVoucherWithGap();
  db().executeScript("ALTER TABLE VoucherDetail RENAME TO VoucherDetailAway");
  EXPECT_FALSE(model().save());
  EXPECT_EQ(host().databaseErrors.size(), 1u);
  db().executeScript("ALTER TABLE VoucherDetailAway RENAME TO VoucherDetail");
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster"), 0);  // the header went with the rollback
  EXPECT_TRUE(model().isNew());
  EXPECT_EQ(model().lines().size(), 3u);
  EXPECT_FALSE(host().heldLocks.contains("CREDWLOCK"));
  EXPECT_TRUE(model().save());
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail"), 2);
}

TEST_P(EntryStore, AVoucherAuditedByAnotherSessionBeforeTheStoreIsNotOverwritten) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  open("201107000001");
  ASSERT_TRUE(model().editSummary("改过"));
  host().onLocked["CREDWLOCK"] = [this] { db().execute("UPDATE VoucherMaster SET CHECKFLAG='T', BILLCHECK='审核员'"); };
  EXPECT_FALSE(model().save());
  EXPECT_EQ(lastMessage(), "该张凭证已经审核，不可再修改");
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE Precis='改过'"), 0);
  EXPECT_TRUE(model().header().checked);  // reloaded as stored
  EXPECT_FALSE(model().modified());
}

TEST_P(EntryStore, TheAuditButtonFollowsTheMakerRuleAndStoresTheAuditAtOnce) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  open("201107000001");
  EXPECT_FALSE(model().audit());
  EXPECT_EQ(lastMessage(), "审核与制单不能是同一个人");
  EXPECT_EQ(last().caption, "提示");
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CHECKFLAG='T'"), 0);

  host().book.SameUser = true;
  ASSERT_TRUE(model().audit());
  EXPECT_TRUE(model().header().checked);
  EXPECT_FALSE(model().modified());  // nothing left for a save to store
  const auto master = db().queryOne("SELECT CHECKFLAG, BILLCHECK, BILLMAKER FROM VoucherMaster");
  EXPECT_EQ(master->text("CHECKFLAG"), "T");
  EXPECT_EQ(master->text("BILLCHECK"), "测试员");
  EXPECT_FALSE(model().audit());
  EXPECT_EQ(lastMessage(), "该张凭证已经审核");
  EXPECT_FALSE(host().heldLocks.contains("CREDWLOCK"));
}

// An auditor holds the audit right but not the voucher screen's edit right:
// the audit is stored, and leaving the voucher asks nothing.
TEST_P(EntryStore, AnAuditorWithoutTheEditRightAuditsFromTheAuditList) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "张三");
  host().deniedPrivileges = {{58, 2}, {58, 3}};
  vouchers::VoucherEntryOptions options;
  options.auditMode = true;
  open("201107000001", options);
  ASSERT_TRUE(model().audit());
  EXPECT_EQ(model().header().billCheck, "测试员");
  const std::size_t shown = messageCount();
  EXPECT_TRUE(model().requestClose());
  EXPECT_EQ(messageCount(), shown);
  close();
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CHECKFLAG='T' AND BILLCHECK='测试员'"), 1);
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(EntryStore, AnAuditIsRefusedWithoutTheRightOnAnUnsavedVoucherAndWhileTheSaveLockIsHeld) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "张三");
  open("201107000001");
  host().deniedPrivileges = {{59, 5}};
  EXPECT_FALSE(model().audit());
  host().deniedPrivileges.clear();

  ASSERT_TRUE(model().editSummary("改过"));
  EXPECT_FALSE(model().audit());
  EXPECT_EQ(lastMessage(), "凭证尚未保存，请先保存凭证再审核。");
  host().answers = {msgbox::IdNo};
  ASSERT_TRUE(model().showVoucher("201107000001"));

  host().refusedLocks.insert("CREDWLOCK");
  EXPECT_FALSE(model().audit());
  EXPECT_EQ(lastMessage(), "其他用户正在保存凭证，请稍后再审核。");
  EXPECT_EQ(last().caption, host().asProductionName());
  EXPECT_FALSE(model().header().checked);

  open();
  EXPECT_FALSE(model().audit());  // a new voucher is not stored yet
  EXPECT_EQ(lastMessage(), "凭证尚未保存，请先保存凭证再审核。");
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CHECKFLAG='T'"), 0);
}

TEST_P(EntryStore, AnAuditMeetsTheStoredStateUnderTheLock) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "张三");
  open("201107000001");
  host().onLocked["CREDWLOCK"] = [this] { db().execute("UPDATE VoucherMaster SET CHECKFLAG='T', BILLCHECK='李四'"); };
  EXPECT_FALSE(model().audit());
  EXPECT_EQ(lastMessage(), "该张凭证已经审核");
  EXPECT_EQ(model().header().billCheck, "李四");  // shown as stored
  EXPECT_EQ(db().queryOne("SELECT BILLCHECK FROM VoucherMaster")->text("BILLCHECK"), "李四");

  db().execute("UPDATE VoucherMaster SET CHECKFLAG='F', BILLCHECK=''");
  open("201107000001");
  // Meanwhile the auditor became the maker: the rule holds where it is stored.
  host().onLocked["CREDWLOCK"] = [this] { db().execute("UPDATE VoucherMaster SET BILLMAKER='测试员'"); };
  EXPECT_FALSE(model().audit());
  EXPECT_EQ(lastMessage(), "审核与制单不能是同一个人");

  host().book.SameUser = true;
  open("201107000001");
  host().onLocked["CREDWLOCK"] = [this] { db().execute("DELETE FROM VoucherMaster"); };
  EXPECT_FALSE(model().audit());
  EXPECT_EQ(lastMessage(), "该记录已被删除，不能修改!");
  EXPECT_FALSE(host().heldLocks.contains("CREDWLOCK"));
}

TEST_P(EntryStore, DeleteRefusesInOrderThenRemovesHeaderLinesAndAllocation) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "测试员", true, true);
  storeVoucher("201107000002", 1, 2, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  storeVoucher("201107000003", 1, 3, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  allocate("201107000002", "0101", "5");
  open("201107000001");
  EXPECT_FALSE(model().deleteVoucher());
  EXPECT_EQ(lastMessage(), "该张凭证已经被登帐，不能被删除");  // posted before audited
  EXPECT_EQ(last().caption, "提示");

  host().deniedPrivileges = {{58, 4}};
  ASSERT_TRUE(model().nextVoucher());
  const std::size_t shown = messageCount();
  EXPECT_FALSE(model().deleteVoucher());  // without the privilege nothing happens
  EXPECT_EQ(messageCount(), shown);

  host().deniedPrivileges.clear();
  host().answers = {msgbox::IdNo};
  EXPECT_FALSE(model().deleteVoucher());
  EXPECT_EQ(lastMessage(), "凭证被删除将不能恢复，你是否确实要删除本张凭证？");
  EXPECT_EQ(last().caption, "警告");
  host().answers = {msgbox::IdYes};
  ASSERT_TRUE(model().deleteVoucher());
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CREDID='201107000002'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE CREDID='201107000002'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM FluxionDistribute"), 0);
  EXPECT_EQ(model().header().credId, "201107000003");  // the next one shows

  // Posted by another session after it was shown: refused, reloaded.
  db().execute("UPDATE VoucherMaster SET POSTFLAG='T' WHERE CREDID='201107000003'");
  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(model().deleteVoucher());
  EXPECT_EQ(lastMessage(), "该张凭证已经被登帐，不能被删除");
  EXPECT_TRUE(model().header().posted);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster"), 2);
}

TEST_P(EntryStore, ANewVoucherDoesNotInheritTheAllocationOfAnOldOneWithItsIdentifier) {
  allocate("201107000001", "0101", "5");  // left behind by a voucher deleted long ago
  open();
  typeVoucherWithGap();
  ASSERT_TRUE(model().save());
  EXPECT_EQ(count("SELECT COUNT(*) FROM FluxionDistribute"), 0);
}

TEST_P(EntryStore, AllocateOpensTheEditorWithTheCashLinesNetAmount) {
  std::vector<std::pair<std::string, Money>> editors;
  vouchers::VoucherEntryOptions options;
  options.editAllocation = [&](const std::string& credId, Money cash) { editors.emplace_back(credId, cash); };
  open({}, std::move(options));
  fillLine("报销", "50001", "30");
  ASSERT_TRUE(model().pressKey(Key::Down));
  fillLine("报销", "50002", "", "30");
  EXPECT_FALSE(model().allocate());
  EXPECT_EQ(lastMessage(), "当前凭证没有核算现金流量的科目存在，无需进行现金流量的分配");
  EXPECT_TRUE(editors.empty());

  ASSERT_TRUE(model().moveTo(1, Column::Subject));
  ASSERT_TRUE(model().editSubjectText("10001"));
  ASSERT_TRUE(model().moveTo(1, Column::Summary));
  ASSERT_TRUE(model().allocate());
  ASSERT_EQ(editors.size(), 1u);
  EXPECT_EQ(editors[0].first, "201107000001");
  EXPECT_EQ(editors[0].second, amount("-30"));

  host().deniedPrivileges = {{72, 1}};
  EXPECT_FALSE(model().allocate());
  EXPECT_EQ(editors.size(), 1u);
}

TEST_P(EntryStore, TheSourceDocumentGoesToTheHostWithItsBillId) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}});
  db().execute("UPDATE VoucherMaster SET AccountVoucherType=11, RELEVANTBILLID=77");
  vouchers::VoucherEntryOptions options;
  options.allowSourceDocuments = true;
  open("201107000001", std::move(options));
  ASSERT_TRUE(model().showsSourceDocument());
  ASSERT_TRUE(model().showSourceDocument());
  ASSERT_EQ(host().globalCalls.size(), 1u);
  EXPECT_EQ(host().globalCalls[0], "SHOWBILLFORMFROMCRED");
  EXPECT_EQ(host().globalCallArguments[0], "OvoSaleInvoiceForm");

  db().execute("UPDATE VoucherMaster SET AccountVoucherType=37");  // a kind without a form
  ASSERT_TRUE(model().showVoucher("201107000001"));
  EXPECT_FALSE(model().showSourceDocument());
  EXPECT_EQ(host().globalCalls.size(), 1u);
}

}  // namespace
}  // namespace qj::test
