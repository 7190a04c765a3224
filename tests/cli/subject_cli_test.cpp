// qingjian-cli subject and book create --chart, run as a script would run them.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_runner.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

using Outcome = ProgramRun;

Outcome run(const std::vector<std::string>& words) { return RunCli(words); }

bool says(const Outcome& outcome, const std::string& text) { return outcome.output.find(text) != std::string::npos; }

class SubjectCli : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    const Outcome created = run({"book", "create", book(), "--start", "2011-07", "--chart", "legacy"});
    ASSERT_EQ(created.exitCode, 0) << created.output;
  }
  const std::string& book() const { return scratch_->location(); }
  std::string file(const std::string& name, const std::string& content) {
    std::string path = scratch_->folder() + "/" + name;
    std::ofstream(path) << content;
    return path;
  }

 private:
  std::unique_ptr<ScratchDatabase> scratch_;
};
INSTANTIATE_TEST_SUITE_P(Engines, SubjectCli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(SubjectCli, ChangesTheChartThroughTheRulesAndPrintsEveryMessage) {
  EXPECT_TRUE(says(run({"subject", "list", book(), "--class", "1"}), "113\t应收账款\t借\t明细"));
  Outcome refused = run({"subject", "add", book(), "10101", "人民币"});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_TRUE(says(refused, "【提示信息】余额方向必须先选定"));
  EXPECT_EQ(run({"subject", "add", book(), "11301", "客户", "--direction", "借"}).exitCode, 2);
  EXPECT_EQ(run({"subject", "add", book(), "10101", "人民币", "--direction", "左"}).exitCode, 1);
  Outcome added = run({"subject", "add", book(), "10101", "人民币", "--direction", "借"});
  EXPECT_EQ(added.exitCode, 0) << added.output;
  EXPECT_TRUE(says(run({"subject", "list", book()}), "101\t现金\t借\t汇总"));
  Outcome kept = run({"subject", "delete", book(), "10101"});
  EXPECT_EQ(kept.exitCode, 2);
  EXPECT_TRUE(says(kept, "【询问】确定要删除该科目（回答：否）"));
  Outcome renamed = run({"subject", "modify", book(), "10101", "--code", "10109", "--name", "库存现金"});
  EXPECT_EQ(renamed.exitCode, 0) << renamed.output;
  EXPECT_EQ(run({"subject", "delete", book(), "10109", "--answer", "yes"}).exitCode, 0);
  EXPECT_EQ(run({"subject", "delete", book(), "101", "--answer", "yes"}).exitCode, 2);
}

TEST_P(SubjectCli, ImportReportsEveryFailingRowAndStoresNothing) {
  Outcome failed = run({"subject", "import", book(),
                        file("bad.csv", "科目编码,科目名称,余额方向\n10201,工商银行,借\n10202,,借\n999,外类,借\n")});
  EXPECT_EQ(failed.exitCode, 2);
  EXPECT_TRUE(says(failed, "第 3 行：【提示信息】科目名称不可为空"));
  EXPECT_TRUE(says(failed, "第 4 行：【提示信息】科目编码首位必须为科目类别 1 到 5"));
  EXPECT_FALSE(says(run({"subject", "list", book()}), "工商银行"));
  Outcome good = run({"subject", "import", book(), file("good.csv", "10201,工商银行,借\n10202,建设银行,借\n")});
  EXPECT_EQ(good.exitCode, 0) << good.output;
  EXPECT_TRUE(says(good, "已导入 2 个科目"));
  EXPECT_EQ(
      run({"book", "create", book() + "-x", "--start", "2011-07", "--levels", "4,2", "--chart", "legacy"}).exitCode, 2);
}

TEST_P(SubjectCli, TheStandardChartIsTheSmallEnterpriseChartInFourDigitCodes) {
  const ScratchDatabase second(GetParam());
  const std::string& other = second.location();
  const Outcome created = run({"book", "create", other, "--start", "2011-07", "--chart", "standard"});
  ASSERT_EQ(created.exitCode, 0) << created.output;
  const Outcome listed = run({"subject", "list", other, "--class", "1"});
  EXPECT_TRUE(says(listed, "1001\t库存现金\t借\t明细")) << listed.output;
  EXPECT_TRUE(says(listed, "1122\t应收账款\t借"));
  EXPECT_FALSE(says(listed, "101\t现金"));
  EXPECT_EQ(run({"book", "create", book() + "-x", "--start", "2011-07", "--chart", "national"}).exitCode, 1);
}

}  // namespace
}  // namespace qj::test
