#include "periodend/audit_list.h"

#include "periodend/audit_fixture.h"

namespace qj::periodend {
namespace {

class AuditListTest : public test::AuditTest {};

TEST(AuditFilter, VoucherWordsFollowTheTypeScheme) {
  using Entries = std::vector<VoucherWordEntry>;
  EXPECT_EQ(VoucherWordEntries(1), (Entries{{"记", 1}}));
  EXPECT_EQ(VoucherWordEntries(2), (Entries{{"所有", std::nullopt}, {"收", 2}, {"付", 3}, {"转", 4}}));
  EXPECT_EQ(VoucherWordEntries(3),
            (Entries{{"所有", std::nullopt}, {"现收", 5}, {"现付", 6}, {"银收", 7}, {"银付", 8}, {"转", 9}}));
  EXPECT_EQ(VoucherWordEntries(7), (Entries{{"记", 1}}));
  AccountBooksData book;
  book.CurrYear = 2012;
  book.CurrMon = 3;
  book.AccountVoucherType = 2;
  const AuditFilter filter = DefaultAuditFilter(book);
  EXPECT_EQ(filter.credIdPattern(), "201203%");
  EXPECT_FALSE(filter.typeId);
  EXPECT_EQ(filter.fromCode, 1);
  EXPECT_EQ(filter.toCode, 999999);
  EXPECT_FALSE(filter.includeAudited);
}

TEST_P(AuditListTest, ListsTheFilteredLinesInWordAndNumberOrderWithTheirMarks) {
  voucher("201107000001", 2, 2, "张三");
  voucher("201107000002", 1, 5, "张三", "李四", true);
  voucher("201107000003", 2, 1, "张三");
  voucher("201108000001", 1, 1, "张三");
  AuditFilter filter{{2011, 7}, std::nullopt, 1, 999999, false};
  auto rows = QueryAuditList(db(), filter);
  ASSERT_EQ(rows.size(), 4u);  // the audited voucher is left out
  EXPECT_EQ(rows[0].credId, "201107000003");
  EXPECT_EQ(rows[2].credId, "201107000001");

  filter.includeAudited = true;
  rows = QueryAuditList(db(), filter);
  ASSERT_EQ(rows.size(), 6u);
  const AuditListRow& first = rows[0];
  EXPECT_EQ(first.credId, "201107000002");  // type 1 before type 2
  EXPECT_EQ(CellText(first, AuditColumn::Date), "2011-07-10");
  EXPECT_EQ(CellText(first, AuditColumn::CredNo), "2");
  EXPECT_EQ(CellText(first, AuditColumn::Word), "记5");
  EXPECT_EQ(CellText(first, AuditColumn::Audited), "√");
  EXPECT_EQ(CellText(first, AuditColumn::Posted), "√");
  EXPECT_EQ(CellText(first, AuditColumn::Subject), "10001 现金");
  EXPECT_EQ(CellText(first, AuditColumn::Debit), "100.00");
  EXPECT_EQ(CellText(first, AuditColumn::Credit), "");
  EXPECT_EQ(CellText(rows[1], AuditColumn::Credit), "100.00");
  EXPECT_EQ(CellText(rows[2], AuditColumn::Audited), "　");
  EXPECT_EQ(CellText(rows[2], AuditColumn::Posted), "　");

  filter.typeId = 2;
  filter.fromCode = 2;
  rows = QueryAuditList(db(), filter);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].voucherWord, "收2");

  // Lines whose subject or voucher type the book does not have, or whose
  // voucher has no type, are left out.
  addVoucherType(0, "零");
  voucher("201107000004", 2, 3, "张三");
  db().execute("UPDATE VoucherDetail SET SUBJECTID='99999' WHERE CREDID='201107000004' AND SUBJECTID='50001'");
  voucher("201107000005", 7, 1, "张三");
  voucher("201107000006", 2, 4, "张三");
  db().execute("UPDATE VoucherMaster SET AccountVoucherTypeID=NULL WHERE CREDID='201107000006'");
  rows = QueryAuditList(db(), {{2011, 7}, std::nullopt, 1, 999999, true});
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[6].credId, "201107000004");
  EXPECT_EQ(rows[6].subjectId, "10001");
}

TEST_P(AuditListTest, ASingleAuditMarksThatVouchersRowsInPlace) {
  voucher("201107000001", 1, 1, "张三");
  voucher("201107000002", 1, 2, "张三");
  AuditList list;
  list.show(QueryAuditList(db(), {{2011, 7}, 1, 1, 999999, false}));
  list.setCurrent(2);
  EXPECT_EQ(list.currentCredId(), "201107000002");
  EXPECT_FALSE(list.refreshVoucher(db(), "201107000002"));  // not audited yet
  db().execute("UPDATE VoucherMaster SET CHECKFLAG='T' WHERE CREDID='201107000002'");
  EXPECT_TRUE(list.refreshVoucher(db(), "201107000002"));
  ASSERT_EQ(list.rows().size(), 4u);  // not queried again
  EXPECT_FALSE(list.rows()[1].audited);
  EXPECT_TRUE(list.rows()[2].audited);
  EXPECT_TRUE(list.rows()[3].audited);
  EXPECT_EQ(list.current(), 2u);
  list.show({});
  EXPECT_EQ(list.currentCredId(), "");
}

TEST_P(AuditListTest, TheAuditButtonOpensTheCurrentVoucherAndRefreshesIt) {
  voucher("201107000001", 1, 1, "张三");
  AuditList list;
  std::vector<std::string> opened;
  const auto auditOnScreen = [&](const std::string& credId) {
    opened.push_back(credId);
    db().execute("UPDATE VoucherMaster SET CHECKFLAG='T' WHERE CREDID=:id", {{"id", credId}});
  };
  EXPECT_FALSE(AuditCurrentVoucher(host(), list, auditOnScreen));  // empty list
  list.show(QueryAuditList(db(), {{2011, 7}, 1, 1, 999999, false}));
  host().deniedPrivileges = {{59, 5}};
  EXPECT_FALSE(AuditCurrentVoucher(host(), list, auditOnScreen));
  EXPECT_TRUE(opened.empty());
  host().deniedPrivileges.clear();
  EXPECT_TRUE(AuditCurrentVoucher(host(), list, auditOnScreen));
  EXPECT_EQ(opened, std::vector<std::string>{"201107000001"});
  EXPECT_TRUE(list.rows()[0].audited && list.rows()[1].audited);
}

QJ_ON_EVERY_ENGINE(AuditListTest);

}  // namespace
}  // namespace qj::periodend
