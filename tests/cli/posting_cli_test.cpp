// qingjian-cli post and unpost, run as a script would run them.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

bool says(const ProgramRun& outcome, const std::string& text) { return outcome.output.find(text) != std::string::npos; }

class PostingCli : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    const ProgramRun created = RunCli({"book", "create", book(), "--start", "2011-07", "--chart", "legacy"});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  const std::string& book() const { return scratch_.location(); }
  std::int64_t count(const std::string& sql) { return std::get<std::int64_t>(scratch_.open()->scalar(sql).storage()); }

 private:
  ScratchDatabase scratch_{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(Engines, PostingCli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(PostingCli, PostsTheMonthSaysHowManyAndReversesIt) {
  for (const char* amount : {"500", "80"}) {
    const ProgramRun added =
        RunCli({"voucher", "add", book(), "--date", "2011-07-20", "--line", std::string("提现,101,") + amount + ",0",
                "--line", std::string("提现,102,0,") + amount});
    ASSERT_EQ(added.exitCode, 0) << added.output;
  }
  const ProgramRun posted = RunCli({"post", book()});
  EXPECT_EQ(posted.exitCode, 0) << posted.output;
  EXPECT_TRUE(says(posted, "共有2张凭证被登帐")) << posted.output;
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), 2);
  EXPECT_EQ(count("SELECT EDEBIT FROM Balance WHERE YEARMON='201107' AND MONEYID=0 AND SUBJECTID='101'"),
            count("SELECT 5800000"));

  const ProgramRun again = RunCli({"post", book()});
  EXPECT_EQ(again.exitCode, 0) << again.output;
  EXPECT_TRUE(says(again, "共有0张凭证被登帐")) << again.output;

  const ProgramRun unposted = RunCli({"unpost", book()});
  EXPECT_EQ(unposted.exitCode, 0) << unposted.output;
  EXPECT_TRUE(says(unposted, "本期所有已登帐的凭证都已经被反登帐。")) << unposted.output;
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Balance WHERE DEBIT IS NOT NULL AND DEBIT<>0"), 0);
}

}  // namespace
}  // namespace qj::test
