// qingjian-cli opening, run as a script would run it.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "data/money.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

class OpeningCli : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    ASSERT_EQ(run("book create " + book() + " --start 2011-07"), 0) << output;
    scratch_->open()->execute(
        "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES ('101', '现金', 'T', 'T'), "
        "('201', '短期借款', 'F', 'T')");
  }
  std::string book() const { return Quoted(scratch_->location()); }
  int run(const std::string& words) {
    const ProgramRun result = RunCliLine(words);
    output = result.output;
    return result.exitCode;
  }
  std::string output;
  std::unique_ptr<ScratchDatabase> scratch_;
};
INSTANTIATE_TEST_SUITE_P(Engines, OpeningCli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(OpeningCli, SetsChecksAndShowsWithRefusalsAsExitCodes) {
  EXPECT_EQ(run("opening set " + book() + " 101 --balance 1000"), 0) << output;
  EXPECT_EQ(run("opening check " + book()), 2);  // unbalanced
  EXPECT_NE(output.find("期初余额借方：1,000.00"), std::string::npos) << output;
  EXPECT_EQ(run("opening set " + book() + " 201 --balance 1000"), 0) << output;
  EXPECT_EQ(run("opening show " + book() + " --trial"), 0);
  EXPECT_NE(output.find("201\t短期借款\t0.00\t1000.00\t0.00\t0.00\t0.00\t1000.00"), std::string::npos) << output;
  EXPECT_EQ(run("opening set " + book() + " 101 --currency 99 --balance 1"), 2);  // derived rows
  EXPECT_EQ(run("opening set " + book() + " 101 --balance 1x"), 1);
  // The voucher's decimal rule: a third decimal is refused, not rounded.
  EXPECT_EQ(run("opening set " + book() + " 101 --balance 1000.005"), 1);
  EXPECT_NE(output.find("金额最多只能有两位小数：1000.005"), std::string::npos) << output;
  EXPECT_EQ(run("call " + book() + " SETACCOUNTBOOKSSTATE iState=1"), 0);
  EXPECT_EQ(run("opening set " + book() + " 101 --balance 7"), 2);  // in use and unbalanced: no transfer
  EXPECT_NE(output.find("帐务系统初始数据不平衡，不能转入总分类帐簿"), std::string::npos) << output;
}

TEST_P(OpeningCli, AmountsWhoseTotalsWouldOverflowAreRefusedAndAnOverflowingBookCanBeCorrected) {
  const std::string huge = "900000000000000";  // each fits an amount; two of them do not
  EXPECT_EQ(run("opening set " + book() + " 101 --balance " + huge), 0) << output;
  EXPECT_EQ(run("opening set " + book() + " 201 --balance " + huge), 2) << output;
  EXPECT_NE(output.find("期初数据的合计超出了金额能记的范围"), std::string::npos) << output;
  EXPECT_EQ(run("opening show " + book() + " --trial"), 0) << output;
  EXPECT_NE(output.find("201\t短期借款\t0.00\t0.00"), std::string::npos) << output;  // refused, not stored

  // A book written before the bound, or by another program, whose totals overflow.
  scratch_->open()->execute("UPDATE SubjectStartData SET Balance=:huge WHERE SUBJECTID='201' AND MONEYID=0",
                            {{"huge", Money::parse(huge)}});
  for (const std::string& reading : {"opening check " + book(), "opening show " + book() + " --trial"}) {
    EXPECT_EQ(run(reading), 2) << reading;
    EXPECT_NE(output.find("期初数据的合计超出了金额能记的范围"), std::string::npos) << output;
    EXPECT_EQ(output.find("overflow"), std::string::npos) << output;
  }
  EXPECT_EQ(run("opening set " + book() + " 201 --balance 0"), 0) << output;
  EXPECT_EQ(run("opening check " + book()), 2) << output;  // computed again, and unbalanced
  EXPECT_NE(output.find("期初余额借方：900,000,000,000,000.00"), std::string::npos) << output;
}

}  // namespace
}  // namespace qj::test
