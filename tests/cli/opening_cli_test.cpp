// qingjian-cli opening, run as a script would run it.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
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

 private:
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

}  // namespace
}  // namespace qj::test
