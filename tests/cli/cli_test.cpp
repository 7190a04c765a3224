// qingjian-cli run as a separate program, as a script would run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/cli_runner.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

ProgramRun run(const std::vector<std::string>& words, const std::string& environment = "",
               const std::string& input = "") {
  return RunCli(words, environment, input);
}

nlohmann::json json(const ProgramRun& result) {
  try {
    return nlohmann::json::parse(result.output);
  } catch (const std::exception&) {
    ADD_FAILURE() << "not JSON: " << result.output;
    return {};
  }
}

class Cli : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    const ProgramRun created = run({"book", "create", book(), "--start", "2011-07", "--company", "测试公司"});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  const std::string& book() const { return scratch_->location(); }

 private:
  std::unique_ptr<ScratchDatabase> scratch_;
};
INSTANTIATE_TEST_SUITE_P(Engines, Cli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(Cli, ShowsTheBooksStateAndSetsItsAuditOptions) {
  ProgramRun shown = run({"book", "show", book()});
  EXPECT_EQ(shown.exitCode, 0);
  EXPECT_NE(shown.output.find("单位：测试公司"), std::string::npos) << shown.output;
  EXPECT_NE(shown.output.find("当前期间：2011-07"), std::string::npos);
  ProgramRun set = run({"book", "options", book(), "--must-check", "T"});
  EXPECT_EQ(set.exitCode, 0) << set.output;
  EXPECT_NE(set.output.find("凭证必须审核后才能登帐：是"), std::string::npos);
  EXPECT_NE(set.output.find("制单人可以审核自己的凭证：否"), std::string::npos);
}

TEST_P(Cli, CallRunsACommandAndPrintsItsOutputsAndMessages) {
  ProgramRun first = run({"call", book(), "getcredcode", "asDate=2011-07-31"});
  ASSERT_EQ(first.exitCode, 0) << first.output;
  EXPECT_EQ(json(first)["outputs"]["CredID"], "201107000001");
  EXPECT_TRUE(json(first)["messages"].empty());

  // A command that shows an error exits non-zero, with the message in its output.
  ProgramRun started = run({"call", book(), "STARTACCOUNT", "Year=2012", "Month=13"});
  EXPECT_EQ(started.exitCode, 2);
  ASSERT_EQ(json(started)["messages"].size(), 1u);
  EXPECT_EQ(json(started)["messages"][0]["caption"], "错误");
  EXPECT_NE(run({"book", "show", book()}).output.find("启用期间：2011-07"), std::string::npos);

  run({"call", book(), "STARTACCOUNT", "Year=2012", "Month=3"});
  EXPECT_NE(run({"book", "show", book()}).output.find("当前期间：2012-03"), std::string::npos);

  ProgramRun unknown = run({"call", book(), "NOSUCHCOMMAND", "x=1"});
  EXPECT_EQ(unknown.exitCode, 0);
  EXPECT_TRUE(json(unknown)["outputs"].empty());
}

TEST_P(Cli, UsersNeedTheirPasswordAndOnlyTheAdministratorManagesThem) {
  EXPECT_EQ(run({"user", "add", book(), "会计"}, "", "记帐密码").exitCode, 0);
  EXPECT_EQ(run({"book", "show", book(), "--user", "会计"}).exitCode, 3);
  EXPECT_EQ(run({"book", "show", book(), "--user", "会计"}, "QINGJIAN_PASSWORD=错误").exitCode, 3);
  EXPECT_EQ(run({"book", "show", book(), "--user", "会计"}, "QINGJIAN_PASSWORD=记帐密码").exitCode, 0);
  EXPECT_EQ(run({"user", "add", book(), "出纳", "--user", "会计"}, "QINGJIAN_PASSWORD=记帐密码").exitCode, 2);
  EXPECT_EQ(run({"user", "grant", book(), "会计", "58", "1"}).exitCode, 0);
  EXPECT_EQ(run({"user", "grant", book(), "会计", "58", "x"}).exitCode, 1);
  EXPECT_EQ(run({"user", "passwd", book(), "会计", "--user", "会计"}, "QINGJIAN_PASSWORD=记帐密码", "新密码").exitCode,
            0);
  EXPECT_EQ(run({"book", "show", book(), "--user", "会计"}, "QINGJIAN_PASSWORD=新密码").exitCode, 0);

  // One user, however the name is typed; an administrator always has a password.
  EXPECT_EQ(run({"user", "add", book(), "Carol "}, "", "c").exitCode, 0);
  EXPECT_EQ(run({"user", "add", book(), "CAROL"}, "", "c").exitCode, 2);
  EXPECT_EQ(run({"user", "add", book(), "ADMIN"}, "", "a").exitCode, 2);
  EXPECT_EQ(run({"book", "show", book(), "--user", " carol"}, "QINGJIAN_PASSWORD=c").exitCode, 0);
  const ProgramRun admin = run({"user", "add", book(), "主管", "--admin"}, "", "");
  EXPECT_EQ(admin.exitCode, 2);
  EXPECT_NE(admin.output.find("系统管理员的密码不能为空"), std::string::npos) << admin.output;
  EXPECT_EQ(run({"user", "add", book(), "主管", "--admin"}, "", "主管密码").exitCode, 0);
}

TEST(CliArguments, BadArgumentsAndUnusableBooksExitNonZeroWithAMessage) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  const std::string book = scratch.location();
  EXPECT_EQ(run({"book", "create", book}).exitCode, 1);                        // no --start
  EXPECT_EQ(run({"book", "create", book, "--start", "2011-13"}).exitCode, 1);  // no such month
  EXPECT_EQ(run({"book", "create", book, "--start", "2011-07", "--levels", "3,x"}).exitCode, 1);
  EXPECT_EQ(run({"book", "create", book, "--start", "2011-07", "--levels", "9,9,9"}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(book));
  EXPECT_EQ(run({"frobnicate"}).exitCode, 1);
  EXPECT_EQ(run({"book", "show", "--bogus"}).exitCode, 1);
  const ProgramRun missing = run({"book", "show", scratch.folder() + "/none.sqlite"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_FALSE(missing.output.empty());
  EXPECT_EQ(run({"call", scratch.folder() + "/none.sqlite", "GETCREDCODE"}).exitCode, 2);
  EXPECT_EQ(run({"book", "show", "postgresql://nobody@127.0.0.1:1/none"}).exitCode, 2);
  EXPECT_EQ(run({"book", "create", book, "--start", "2011-07"}).exitCode, 0);
  EXPECT_EQ(run({"book", "create", book, "--start", "2011-07"}).exitCode, 2);  // exists already
  EXPECT_EQ(run({"call", book, "GETCREDCODE", "=1"}).exitCode, 1);
  EXPECT_EQ(run({"call", book, "GETCREDCODE", "--answer", "maybe"}).exitCode, 1);
}

TEST(CliDefaultBook, IsCreatedOnFirstUseAndShownAfterwards) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  const std::string environment = "XDG_DATA_HOME=" + Quoted(scratch.folder());
  const ProgramRun first = run({}, environment);
  EXPECT_EQ(first.exitCode, 0) << first.output;
  EXPECT_NE(first.output.find("已新建默认帐套"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(scratch.folder() + "/qingjian/default-book.sqlite"));
  const ProgramRun second = run({}, environment);
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.output.find("已新建默认帐套"), std::string::npos);
  EXPECT_NE(second.output.find("用户：admin"), std::string::npos);
}

}  // namespace
}  // namespace qj::test
