#include "periodend/batch_audit.h"
#include "periodend/audit_store.h"

#include "periodend/audit_fixture.h"

namespace qj::periodend {
namespace {

using Ids = std::vector<std::string>;

class BatchAuditTest : public test::AuditTest {
 protected:
  AuditFilter july(std::optional<std::int64_t> typeId = 1) {
    AuditFilter filter;
    filter.period = {2011, 7};
    filter.typeId = typeId;
    return filter;
  }

  BatchAuditOutcome run(const AuditFilter& filter) {
    host().answers = {msgbox::IdYes};
    return BatchAudit(host(), filter, QueryAuditList(db(), filter).empty());
  }

  static std::vector<std::string> vouchersOf(const std::vector<AuditListRow>& rows) {
    std::vector<std::string> ids;
    for (const auto& row : rows)
      if (ids.empty() || ids.back() != row.credId) ids.push_back(row.credId);
    return ids;
  }
};

TEST_P(BatchAuditTest, AuditsAsTheUserAndListsOnlyWhatThisRunStamped) {
  voucher("201107000001", 1, 1, "张三");
  voucher("201107000002", 1, 2, "测试员");        // own voucher: the maker rule keeps it
  voucher("201107000003", 1, 3, "张三", "李四");  // audited already
  db().execute("UPDATE VoucherMaster SET CHECKFLAG=NULL WHERE CREDID='201107000001'");  // never flagged
  const auto outcome = run(july());
  ASSERT_EQ(outcome.result, BatchAuditResult::Done);
  EXPECT_EQ(outcome.audited, 1);
  EXPECT_EQ(audit("201107000001"), "T 测试员");
  EXPECT_EQ(audit("201107000002"), "F ");
  EXPECT_EQ(audit("201107000003"), "T 李四");
  EXPECT_EQ(vouchersOf(outcome.stamped), Ids({"201107000001"}));
  EXPECT_EQ(outcome.stamped.size(), 2u);  // both lines
  EXPECT_TRUE(outcome.stamped.front().audited);
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, kBatchAuditQuestion);
  EXPECT_EQ(host().messages[0].caption, "询问");
  EXPECT_TRUE(host().heldLocks.empty());

  // With the audited ones included, the others' audits are stamped again; still not the user's own.
  voucher("201107000004", 1, 4, "测试员", "李四");
  AuditFilter all = july();
  all.includeAudited = true;
  const auto again = run(all);
  EXPECT_EQ(again.audited, 2);
  EXPECT_EQ(audit("201107000003"), "T 测试员");
  EXPECT_EQ(audit("201107000004"), "T 李四");
  EXPECT_EQ(audit("201107000002"), "F ");
  EXPECT_EQ(vouchersOf(again.stamped), Ids({"201107000001", "201107000003"}));

  // The maker may audit their own when the book allows it. The vouchers the
  // last run stamped and this one does not lose their marker, an unaudited
  // one without a number among them.
  makerMayAudit(true);
  db().execute(
      "UPDATE VoucherMaster SET CREDCODE=NULL, CHECKFLAG='F', UPDATETIME='2011-07-03 10:00:00' "
      "WHERE CREDID='201107000004'");
  const auto own = run(july());
  EXPECT_EQ(own.audited, 1);
  EXPECT_EQ(audit("201107000002"), "T 测试员");
  EXPECT_EQ(vouchersOf(own.stamped), Ids({"201107000002"}));
  EXPECT_TRUE(field("201107000004", "UPDATETIME").empty());
  EXPECT_TRUE(host().book.SameUser);  // the options were loaded into the host
}

TEST_P(BatchAuditTest, TouchesOnlyTheChosenWordAndNumbersOfTheFilteredPeriod) {
  // The sequence numbers inside CREDID run against the numbers within the word.
  voucher("201107000001", 2, 3, "张三");
  voucher("201107000002", 2, 1, "张三");
  voucher("201107000003", 3, 1, "张三");
  voucher("201108000001", 2, 1, "张三");
  db().execute("UPDATE VoucherMaster SET UPDATETIME='2011-08-02 10:00:00' WHERE CREDID='201108000001'");
  AuditFilter receipts = july(2);
  receipts.toCode = 2;
  EXPECT_EQ(run(receipts).audited, 1);
  EXPECT_EQ(field("201107000002", "CHECKFLAG"), "T");
  EXPECT_EQ(field("201107000001", "CHECKFLAG"), "F");  // number 3, outside 1-2
  EXPECT_EQ(field("201107000003", "CHECKFLAG"), "F");  // another word
  EXPECT_EQ(field("201108000001", "CHECKFLAG"), "F");
  EXPECT_FALSE(field("201108000001", "UPDATETIME").empty());  // August keeps its marker

  const auto all = run(july(std::nullopt));
  EXPECT_EQ(all.audited, 2);
  EXPECT_EQ(vouchersOf(all.stamped), Ids({"201107000001", "201107000003"}));
  EXPECT_EQ(field("201108000001", "CHECKFLAG"), "F");
}

TEST_P(BatchAuditTest, DoesNothingWithoutAListAPrivilegeTheLockOrAYes) {
  voucher("201107000001", 1, 1, "张三");
  const AuditFilter filter = july();
  EXPECT_EQ(BatchAudit(host(), filter, true).result, BatchAuditResult::NothingToDo);
  host().deniedPrivileges = {{59, 5}};
  EXPECT_EQ(BatchAudit(host(), filter, false).result, BatchAuditResult::NothingToDo);
  EXPECT_TRUE(host().messages.empty());
  host().deniedPrivileges.clear();

  host().refusedLocks = {"CREDWLOCK"};
  EXPECT_EQ(run(filter).result, BatchAuditResult::Refused);
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "其他用户正在进行保存凭证操作，请稍后再成批审核。");
  EXPECT_EQ(host().messages[0].caption, "青简财务");
  host().refusedLocks.clear();

  host().answers = {msgbox::IdNo};
  EXPECT_EQ(BatchAudit(host(), filter, false).result, BatchAuditResult::Declined);
  EXPECT_EQ(audit("201107000001"), "F ");
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(BatchAuditTest, AClosedMonthIsNotAuditedAgain) {
  voucher("201107000001", 1, 1, "张三", "李四");
  db().execute("UPDATE AccountState SET CURRMON=8");
  host().ReloadAccountBooksData();
  AuditFilter all = july();
  all.includeAudited = true;
  EXPECT_EQ(run(all).result, BatchAuditResult::Refused);
  EXPECT_EQ(host().messages.back().text, kClosedMonthAudit);
  EXPECT_EQ(audit("201107000001"), "T 李四");
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(BatchAuditTest, AFailureRollsEverythingBackAndFreesTheLock) {
  voucher("201107000001", 1, 1, "张三");
  voucher("201107000002", 1, 2, "张三");
  db().execute("UPDATE VoucherMaster SET UPDATETIME='2011-07-02 10:00:00' WHERE CREDID='201107000002'");
  // Another session breaks the table after the marker could be cleared but before the audit runs.
  host().onLocked["CREDWLOCK"] = [this] {
    db().execute("ALTER TABLE VoucherMaster RENAME COLUMN BILLCHECK TO BILLCHECKED");
  };
  EXPECT_EQ(run(july()).result, BatchAuditResult::Failed);
  EXPECT_EQ(host().databaseErrors.size(), 1u);
  EXPECT_EQ(field("201107000001", "CHECKFLAG"), "F");
  EXPECT_FALSE(field("201107000002", "UPDATETIME").empty());  // the cleared marker came back
  EXPECT_FALSE(db().inTransaction());
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(BatchAuditTest, UserNamesAreValuesNotSql) {
  voucher("201107000001", 1, 1, "o'neil");
  voucher("201107000002", 1, 2, "x' OR '1");
  voucher("201107000003", 1, 3, "张三");
  {
    data::Transaction tx(db());
    EXPECT_EQ(StampVouchers(db(), july(), "x' OR '1", false, "2011-07-20 09:00:00"), 2);
    tx.commit();
  }
  EXPECT_EQ(audit("201107000001"), "T x' OR '1");
  EXPECT_EQ(audit("201107000002"), "F ");
  EXPECT_EQ(audit("201107000003"), "T x' OR '1");
}

QJ_ON_EVERY_ENGINE(BatchAuditTest);

}  // namespace
}  // namespace qj::periodend
