#include "subjects/opening_transfer.h"

#include "subjects/opening_fixture.h"

namespace qj::test {
namespace {

class OpeningTransfer : public OpeningTest {
 protected:
  void SetUp() override {
    OpeningTest::SetUp();
    subject("101", 'T', false);
    subject("10101", 'T', true);
    subject("201", 'F', true);
    subject("501", 'F', false);
    subject("50101", 'F', true);
    subject("502", 'T', true);
    call("CREATESUBJECTSTARTDATA");
    amounts("0010101", {{"Balance", "100"}, {"DEBIT", "30"}, {"CREDIT", "10"}});
    amounts("0050101", {{"PLHAVEDONE", "300"}});
    amounts("00502", {{"PLHAVEDONE", "-20"}});
    db().execute("INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, DEBIT) VALUES ('201106', 0, '201', 5)");
  }
  bool transfer() { return subjects::TransferOpeningToLedger(db(), structure(), host().book); }
  Money balance(int money, const std::string& code, const std::string& column) {
    return db()
        .queryOne("SELECT " + column +
                      " AS V FROM Balance WHERE YEARMON='201107' AND MONEYID=:m AND "
                      "SUBJECTID=:s",
                  {{"m", money}, {"s", code}})
        ->money("V");
  }
};
QJ_ON_EVERY_ENGINE(OpeningTransfer);

TEST_P(OpeningTransfer, BuildsTheStartPeriodFromTheOpeningRows) {
  ASSERT_TRUE(transfer());
  // Only the rows with figures, in every currency and level; not the grand total.
  EXPECT_EQ(snapshot("Balance", "MONEYID, SUBJECTID").find("201106"), std::string::npos);
  EXPECT_EQ(data::IntegerOf(db().scalar("SELECT COUNT(*) FROM Balance")), 4);
  EXPECT_EQ(balance(0, "10101", "YBDEBIT"), Money::fromInteger(80));
  EXPECT_EQ(balance(0, "10101", "BDEBIT"), Money::fromInteger(100));
  EXPECT_EQ(balance(0, "10101", "EDEBIT"), Money::fromInteger(100));
  EXPECT_EQ(balance(99, "101", "YDEBIT"), Money::fromInteger(30));
  EXPECT_EQ(balance(99, "101", "YCREDIT"), Money::fromInteger(10));
  EXPECT_EQ(snapshot("ProfitAndLoss", "SUBJECTID"),
            "501|201107|~|~|~|~|~|~|0|3000000|\n50101|201107|~|~|~|~|~|~|0|3000000|\n"
            "502|201107|~|~|~|~|~|~|0|200000|\n");
}

TEST_P(OpeningTransfer, AFailureNeverLeavesTheLedgerEmptied) {
  failOn("ProfitAndLoss", "INSERT");
  const std::string before = book();
  EXPECT_THROW(transfer(), data::DbError);
  EXPECT_EQ(book(), before);
}

}  // namespace
}  // namespace qj::test
