#include "periodend/unposting.h"

#include "balances/period_roll_store.h"
#include "periodend/period_fixture.h"
#include "periodend/posting.h"

namespace qj::test {
namespace {

// The book in September 2011: August closed, September posted.
class Unposting : public PeriodTest {
 protected:
  void SetUp() override {
    PeriodTest::SetUp();
    makeCurrent({2011, 9});
    put("Balance", "YEARMON=201108 MONEYID=0 SUBJECTID=101 YBDEBIT=80 BDEBIT=90 DEBIT=10 EDEBIT=100 YDEBIT=20");
    put("Balance", "YEARMON=201109 MONEYID=0 SUBJECTID=101 YBDEBIT=80 BDEBIT=100 DEBIT=50 EDEBIT=150 YDEBIT=70");
    put("Balance", "YEARMON=201109 MONEYID=0 SUBJECTID=201 CREDIT=50 ECREDIT=50 YCREDIT=50");
    put("ProfitAndLoss", "YEARMON=201108 SUBJECTID=501 DEBIT=4 YDEBIT=9");
    put("ProfitAndLoss", "YEARMON=201109 SUBJECTID=501 DEBIT=3 YDEBIT=12");
    put("FixedAssetsSurplus", "YEARMON=201108 ID=5 TOTALWL=10 CURRWL=2 BASTDEBIT=900 ASTDEBIT=100");
    put("FixedAssetsSurplus",
        "YEARMON=201109 ID=5 TOTALWL=12 BASTDEBIT=1000 ASTCREDIT=30 DEPRVALUE=8 DPRCREDIT=8 "
        "YDPRCREDIT=8");
    put("LoadWork", "YEARMON=201109 ID=5 LOADWORK=4 DEPRRATE=0.02 DEPRVALUE=8");
    addVoucher("201108000001", 1, 1, true);
    addVoucher("201109000001", 1, 1, true);
    addVoucher("201109000002", 1, 2, true);
    db().execute("UPDATE VoucherMaster SET CHECKFLAG='T', BILLPOST='测试员' WHERE POSTFLAG='T'");
    addVoucher("201109000003", 1, 3);  // neither audited nor posted
    db().execute(
        "UPDATE VoucherMaster SET BILLPOST='测试员', AccountVoucherType=201, RELEVANTBILLID=201109 "
        "WHERE CREDID='201109000002'");
  }
  std::string flags() {
    std::string out;
    for (const auto& row : db().query("SELECT CREDID, POSTFLAG, BILLPOST FROM VoucherMaster ORDER BY CREDID"))
      out += row.text("CREDID").substr(6) + ":" + row.text("POSTFLAG") + row.text("BILLPOST") + " ";
    return out;
  }
  std::string everything() {
    return flags() + snapshot("Balance", "YEARMON, MONEYID, SUBJECTID") +
           snapshot("ProfitAndLoss", "SUBJECTID, YEARMON") + snapshot("FixedAssetsSurplus", "ID, YEARMON");
  }
  std::int64_t unpost() { return periodend::UnpostCurrentPeriod(db(), structure(), host().book); }
};
QJ_ON_EVERY_ENGINE(Unposting);

TEST_P(Unposting, ALaterPeriodStartsAgainFromTheMonthBefore) {
  EXPECT_EQ(unpost(), 3);
  EXPECT_EQ(flags(), "000001:T测试员 000001:F 000002:F 000003:F ");
  EXPECT_EQ(balanceRow("201109", 0, "101"), "YBDEBIT=80.00 BDEBIT=100.00 EDEBIT=100.00 YDEBIT=20.00");
  EXPECT_EQ(balanceRow("201109", 0, "201"), "-");
  EXPECT_EQ(balanceRow("201108", 0, "101"), "YBDEBIT=80.00 BDEBIT=90.00 DEBIT=10.00 EDEBIT=100.00 YDEBIT=20.00");
  EXPECT_EQ(shown("ProfitAndLoss", "YEARMON='201109'"), "YDEBIT=9.00");
  // Rolled from August, then the September workload of its depreciation voucher.
  EXPECT_EQ(shown("FixedAssetsSurplus", "YEARMON='201109'"),
            "TOTALWL=12 CURRWL=4 USEDVALUE=0.00 DEPRRATE=0.02 DEPRVALUE=8.00 BASTDEBIT=1000.00 YASTDEBIT=0.00 "
            "YASTCREDIT=0.00 BDPRCREDIT=0.00 YDPRDEBIT=0.00 YDPRCREDIT=0.00");
}

TEST_P(Unposting, WithoutADepreciationVoucherTheWorkloadStaysOut) {
  db().execute("UPDATE VoucherMaster SET AccountVoucherType=0 WHERE CREDID='201109000002'");
  unpost();
  EXPECT_EQ(shown("FixedAssetsSurplus", "YEARMON='201109'"),
            "TOTALWL=12 CURRWL=0 USEDVALUE=0.00 DEPRVALUE=0.00 BASTDEBIT=1000.00 YASTDEBIT=0.00 YASTCREDIT=0.00 "
            "BDPRCREDIT=0.00 YDPRDEBIT=0.00 YDPRCREDIT=0.00");
}

TEST_P(Unposting, TheStartPeriodIsRebuiltFromTheOpeningData) {
  makeCurrent({2011, 7});
  subject("101", 'T', true);
  call("CREATESUBJECTSTARTDATA");
  amounts("00101", {{"Balance", "60"}, {"DEBIT", "25"}});
  call("SUBJECTSTARTDATACHECK");
  put("Balance", "YEARMON=201107 MONEYID=0 SUBJECTID=101 DEBIT=5 EDEBIT=65");
  addVoucher("201107000001", 1, 1, true);
  unpost();
  EXPECT_EQ(flags(), "000001:F 000001:T测试员 000001:T测试员 000002:T测试员 000003:F ");
  // Every other month's rows go with the table.
  EXPECT_EQ(count("Balance", "YEARMON<>'201107'"), 0);
  const auto row = db().queryOne("SELECT * FROM Balance WHERE MONEYID=0 AND SUBJECTID='101'");
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->money("YBDEBIT"), Money::fromInteger(35));
  EXPECT_EQ(row->money("EDEBIT"), Money::fromInteger(60));
  EXPECT_EQ(row->money("DEBIT"), Money());
  EXPECT_EQ(row->money("YDEBIT"), Money::fromInteger(25));
  EXPECT_EQ(count("ProfitAndLoss", "1=1"), 0);
  EXPECT_EQ(count("FixedAssetsSurplus", "1=1"), 0);
}

TEST_P(Unposting, PostingThenReversePostingRestoresBalanceExactly) {
  unpost();
  const std::string unposted = snapshot("Balance", "YEARMON, MONEYID, SUBJECTID");
  subject("101", 'T', false);
  subject("10101", 'T', true);
  subject("201", 'F', true);
  addVoucher("201109000004", 1, 4);
  db().execute("UPDATE VoucherMaster SET CHECKFLAG='T' WHERE CREDID='201109000004'");
  put("VoucherDetail", "CREDID=201109000004 FENLUNO=1 SUBJECTID=10101 MONEYID=1 RAWDEBIT=14.71 DEBIT=100.03");
  put("VoucherDetail", "CREDID=201109000004 FENLUNO=2 SUBJECTID=201 MONEYID=0 CREDIT=100.03");
  ASSERT_EQ(periodend::PostCurrentPeriod(db(), periodend::PostingContextOf(host())), 4);
  ASSERT_NE(snapshot("Balance", "YEARMON, MONEYID, SUBJECTID"), unposted);
  unpost();
  EXPECT_EQ(snapshot("Balance", "YEARMON, MONEYID, SUBJECTID"), unposted);
}

TEST_P(Unposting, RunUnpostingTellsTheUserOnlyAfterTheCommit) {
  EXPECT_TRUE(periodend::RunUnposting(host()));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, periodend::kUnpostedMessage);
  EXPECT_EQ(host().messages[0].caption, "提示信息");
  EXPECT_FALSE(db().inTransaction());
  EXPECT_EQ(count("VoucherMaster", "POSTFLAG='T'"), 1);
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(Unposting, ARefusedLockChangesNothing) {
  host().refusedLocks.insert("CREDLOCK");
  const std::string before = everything();
  EXPECT_FALSE(periodend::RunUnposting(host()));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, periodend::kUnpostingLockedMessage);
  EXPECT_EQ(host().messages[0].caption, "青简财务");
  EXPECT_EQ(everything(), before);
}

TEST_P(Unposting, AFailureInsideOrAtTheCommitLeavesEverythingAsBefore) {
  const std::string before = everything();
  failOn("Balance", "INSERT");
  EXPECT_FALSE(periodend::RunUnposting(host()));
  EXPECT_EQ(everything(), before);
  db().executeScript(GetParam() == data::Engine::Sqlite ? "DROP TRIGGER injected_failure"
                                                        : "DROP TRIGGER injected_failure ON Balance");

  // A constraint checked only when the transaction commits.
  if (GetParam() == data::Engine::Sqlite) {
    db().executeScript(
        "CREATE TABLE commit_guard (CREDID VARCHAR(12) REFERENCES VoucherMaster (CREDID) DEFERRABLE INITIALLY "
        "DEFERRED); CREATE TRIGGER guard AFTER UPDATE ON VoucherMaster BEGIN INSERT INTO commit_guard VALUES "
        "('nowhere'); END;");
  } else {
    db().executeScript(
        "CREATE CONSTRAINT TRIGGER guard AFTER UPDATE ON VoucherMaster DEFERRABLE INITIALLY DEFERRED FOR EACH ROW "
        "EXECUTE FUNCTION injected_failure();");
  }
  EXPECT_FALSE(periodend::RunUnposting(host()));
  EXPECT_EQ(everything(), before);
  EXPECT_EQ(host().databaseErrors.size(), 2U);
  EXPECT_TRUE(host().messages.empty());  // never the success message
  EXPECT_TRUE(host().heldLocks.empty());
}

}  // namespace
}  // namespace qj::test
