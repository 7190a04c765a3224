// qingjian-cli audit and unaudit, run as a script would run them.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

bool says(const ProgramRun& outcome, const std::string& text) { return outcome.output.find(text) != std::string::npos; }

class AuditCli : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    const ProgramRun created = RunCli({"book", "create", book(), "--start", "2011-07", "--chart", "legacy"});
    ASSERT_EQ(created.exitCode, 0) << created.output;
    for (const char* date : {"2011-07-20", "2011-07-21"})
      ASSERT_EQ(RunCli({"voucher", "add", book(), "--date", date, "--line", "提现,101,5,0", "--line", "提现,102,0,5"})
                    .exitCode,
                0);
    ASSERT_EQ(RunCli({"user", "add", book(), "会计"}, "", "").exitCode, 0);
  }
  const std::string& book() const { return scratch_.location(); }
  std::int64_t audited() {
    return std::get<std::int64_t>(
        scratch_.open()->scalar("SELECT COUNT(*) FROM VoucherMaster WHERE CHECKFLAG='T'").storage());
  }

 private:
  ScratchDatabase scratch_{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(Engines, AuditCli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(AuditCli, AuditsAsTheUserWithinTheMakerRuleAndTakesItBack) {
  const ProgramRun own = RunCli({"audit", book()});
  EXPECT_EQ(own.exitCode, 0) << own.output;
  EXPECT_TRUE(says(own, "【询问】成批审核序时簿中的凭证吗？（回答：是）")) << own.output;
  EXPECT_TRUE(says(own, "审核了 0 张凭证。")) << own.output;  // admin made them

  const ProgramRun denied = RunCli({"audit", book(), "--user", "会计"});
  EXPECT_EQ(denied.exitCode, 2) << denied.output;
  ASSERT_EQ(RunCli({"user", "grant", book(), "会计", "59", "5"}).exitCode, 0);
  const ProgramRun one = RunCli({"audit", book(), "--user", "会计", "--range", "2-5", "--word", "记"});
  EXPECT_EQ(one.exitCode, 0) << one.output;
  EXPECT_TRUE(says(one, "审核了 1 张凭证。")) << one.output;
  EXPECT_EQ(audited(), 1);
  EXPECT_EQ(RunCli({"audit", book(), "--user", "会计", "--period", "2011-07"}).exitCode, 0);
  EXPECT_EQ(audited(), 2);
  EXPECT_TRUE(says(RunCli({"audit", book(), "--period", "2011-08"}), "序时簿中没有凭证"));

  const ProgramRun back = RunCli({"unaudit", book(), "--range", "1-1"});
  EXPECT_EQ(back.exitCode, 0) << back.output;
  EXPECT_TRUE(says(back, "反审核了 1 张凭证。")) << back.output;
  EXPECT_EQ(audited(), 1);
  ASSERT_EQ(RunCli({"post", book()}).exitCode, 0);
  const ProgramRun posted = RunCli({"unaudit", book()});
  EXPECT_EQ(posted.exitCode, 2) << posted.output;
  EXPECT_TRUE(says(posted, "【询问】有已经登帐的记帐凭证存在，请先进行反登帐,再进行反审核！")) << posted.output;
  EXPECT_EQ(audited(), 1);
}

}  // namespace
}  // namespace qj::test
