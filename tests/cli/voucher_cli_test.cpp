// qingjian-cli voucher and demo, run as a script would run them.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "cli/cli_runner.h"
#include "host/book_session.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

bool says(const ProgramRun& outcome, const std::string& text) { return outcome.output.find(text) != std::string::npos; }

class VoucherCli : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override { book_ = fresh(); }
  std::string fresh() {
    scratch_.push_back(std::make_unique<ScratchDatabase>(GetParam()));
    const std::string& book = scratch_.back()->location();
    const ProgramRun created = RunCli({"book", "create", book, "--start", "2011-07", "--chart", "legacy"});
    EXPECT_EQ(created.exitCode, 0) << created.output;
    return book;
  }
  const std::string& book() const { return book_; }
  // A connection of its own to the book of SetUp.
  std::unique_ptr<data::Connection> open() { return scratch_.front()->open(); }
  std::string file(const std::string& name, const std::string& content) {
    std::string path = scratch_.front()->folder() + "/" + name;
    std::ofstream(path) << content;
    return path;
  }

 private:
  std::vector<std::unique_ptr<ScratchDatabase>> scratch_;
  std::string book_;
};
INSTANTIATE_TEST_SUITE_P(Engines, VoucherCli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(VoucherCli, ImportStoresNothingWhenAVoucherFailsUnlessSkipBad) {
  const std::string csv = file("v.csv",
                               "凭证,日期,摘要,科目,借方,贷方\n"
                               "1,2011-07-05,提现,101,100,\n1,,提现,102,,100\n"
                               "2,2011-07-05,付款,101,50,\n2,,付款,102,,40\n"
                               "3,2011-07-06,报销,221,30,\n3,,报销,101,,30\n"
                               "4,2011-07-06,存现,102,20,\n4,,存现,101,,20\n");
  const ProgramRun failed = RunCli({"voucher", "import", book(), csv});
  EXPECT_EQ(failed.exitCode, 2) << failed.output;
  EXPECT_TRUE(says(failed, "凭证 2 第 4 行：【提示信息】借、贷方金额不等")) << failed.output;
  EXPECT_TRUE(says(failed, "凭证 3 第 6 行：【提示信息】科目'221'不是一个明细科目")) << failed.output;
  EXPECT_TRUE(says(failed, "有 2 张凭证未通过检查，没有导入任何凭证。"));
  EXPECT_EQ(RunCli({"voucher", "show", book(), "201107000001"}).exitCode, 2);

  const ProgramRun skipped = RunCli({"voucher", "import", book(), csv, "--skip-bad"});
  EXPECT_EQ(skipped.exitCode, 0) << skipped.output;
  EXPECT_TRUE(says(skipped, "已跳过凭证 2\n已跳过凭证 3\n"));
  EXPECT_TRUE(says(skipped, "已导入 2 张凭证：201107000001 至 201107000002，跳过 2 张。"));
  const ProgramRun shown = RunCli({"voucher", "show", book(), "201107000002"});
  EXPECT_TRUE(says(shown, "凭证字号：记2")) << shown.output;
  EXPECT_TRUE(says(shown, "存现\t101\t现金\t人民币\t\t\t\t20.00"));
}

// The maker is the user entering the voucher: a clerk cannot make one under
// another name (and then audit it himself); an administrator carrying vouchers
// over may name users of the book, and no one else.
TEST_P(VoucherCli, TheMakerIsTheLoggedInUserUnlessAnAdministratorNamesAUserOfTheBook) {
  ASSERT_EQ(RunCli({"user", "add", book(), "出纳"}, "", "pw").exitCode, 0);
  for (const char* action : {"2", "3"}) ASSERT_EQ(RunCli({"user", "grant", book(), "出纳", "58", action}).exitCode, 0);
  const auto add = [&](const std::vector<std::string>& extra, const std::string& environment = "") {
    std::vector<std::string> words = {"voucher", "add",          book(),   "--date",      "2011-07-20",
                                      "--line",  "提现,101,5,0", "--line", "提现,102,0,5"};
    words.insert(words.end(), extra.begin(), extra.end());
    return RunCli(words, environment);
  };
  const ProgramRun posing = add({"--user", "出纳", "--maker", "carol"}, "QINGJIAN_PASSWORD=pw");
  EXPECT_EQ(posing.exitCode, 2) << posing.output;
  EXPECT_TRUE(says(posing, "制单人只能是登录的用户 出纳")) << posing.output;
  const ProgramRun ghost = add({"--maker", "carol"});
  EXPECT_EQ(ghost.exitCode, 2) << ghost.output;
  EXPECT_TRUE(says(ghost, "制单人 carol 不是本帐套的用户")) << ghost.output;
  const std::string csv = file("makers.csv",
                               "凭证,日期,摘要,科目,借方,贷方,制单人\n"
                               "1,2011-07-05,提现,101,100,,出纳\n1,,提现,102,,100,出纳\n");
  const ProgramRun imported = RunCli({"voucher", "import", book(), csv, "--user", "出纳"}, "QINGJIAN_PASSWORD=pw");
  EXPECT_EQ(imported.exitCode, 0) << imported.output << " (his own name is his to give)";
  const ProgramRun carried = RunCli({"voucher", "import", book(),
                                     file("other.csv",
                                          "凭证,日期,摘要,科目,借方,贷方,制单人\n"
                                          "1,2011-07-06,提现,101,100,,admin\n1,,提现,102,,100,admin\n"),
                                     "--user", "出纳"},
                                    "QINGJIAN_PASSWORD=pw");
  EXPECT_EQ(carried.exitCode, 2) << carried.output;
  EXPECT_FALSE(says(RunCli({"voucher", "show", book(), "201107000002"}), "凭证字号"));

  const ProgramRun named = add({"--maker", "出纳"});
  EXPECT_EQ(named.exitCode, 0) << named.output;
  EXPECT_TRUE(says(RunCli({"voucher", "show", book(), "201107000002"}), "出纳")) << "the administrator named a user";
}

TEST_P(VoucherCli, AddsShowsAndDeletesOneVoucher) {
  const ProgramRun refused =
      RunCli({"voucher", "add", book(), "--date", "2011-07-08", "--line", "取款,101,500,", "--line", "取款,999,,500"});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_TRUE(says(refused, "第 2 条分录：【提示信息】科目'999'不存在"));
  const ProgramRun added = RunCli({"voucher", "add", book(), "--date", "2011-07-08", "--attachments", "3", "--line",
                                   "取款,101,500,", "--line", "取款,102,,500"});
  EXPECT_EQ(added.exitCode, 0) << added.output;
  EXPECT_TRUE(says(added, "已保存凭证：记1（201107000001）"));
  EXPECT_TRUE(says(RunCli({"voucher", "show", book(), "201107000001"}), "附件：3 张"));
  const ProgramRun kept = RunCli({"voucher", "delete", book(), "201107000001"});
  EXPECT_EQ(kept.exitCode, 2);
  EXPECT_TRUE(says(kept, "【警告】凭证被删除将不能恢复，你是否确实要删除本张凭证？（回答：否）"));
  EXPECT_EQ(RunCli({"voucher", "delete", book(), "201107000001", "--answer", "yes"}).exitCode, 0);
  EXPECT_EQ(RunCli({"voucher", "show", book(), "201107000001"}).exitCode, 2);
}

// A script's save waits a moment for another session's save to end; refused,
// it says whether posting or another user's save kept it out.
TEST_P(VoucherCli, ASaveWaitsItsTurnBrieflyThenSaysWhetherPostingOrAnotherSaveHeldItUp) {
  const std::vector<std::string> add = {"voucher", "add",           book(),   "--date",       "2011-07-08",
                                        "--line",  "取款,101,500,", "--line", "取款,102,,500"};
  auto other = host::BookSession::Open(book());
  ASSERT_TRUE(other->locks().acquire("CREDLOCK"));
  const ProgramRun whilePosting = RunCli(add);
  EXPECT_EQ(whilePosting.exitCode, 2) << whilePosting.output;
  EXPECT_TRUE(says(whilePosting, "其他用户正在登帐或进行期末处理，请稍后再保存凭证。")) << whilePosting.output;
  other->locks().release("CREDLOCK");

  ASSERT_TRUE(other->locks().acquire("CREDWLOCK"));
  const ProgramRun refused = RunCli(add);
  EXPECT_EQ(refused.exitCode, 2) << refused.output;
  EXPECT_TRUE(says(refused, "其他用户正在保存凭证，请稍后再保存。")) << refused.output;
  EXPECT_EQ(data::IntegerOf(open()->scalar("SELECT COUNT(*) FROM VoucherMaster")), 0);

  // Released while the command waits (it reaches the lock well within the second).
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    other->locks().release("CREDWLOCK");
  });
  const ProgramRun waited = RunCli(add);
  release.join();
  EXPECT_EQ(waited.exitCode, 0) << waited.output;
  EXPECT_TRUE(says(waited, "已保存凭证：记1（201107000001）")) << waited.output;
}

TEST_P(VoucherCli, AVoucherDatedMoreThanAYearAheadNeedsFarDate) {
  std::vector<std::string> add = {"voucher", "add",           book(),   "--date",       "2021-07-08",
                                  "--line",  "取款,101,500,", "--line", "取款,102,,500"};
  const ProgramRun refused = RunCli(add);
  EXPECT_EQ(refused.exitCode, 2) << refused.output;
  EXPECT_TRUE(
      says(refused, "凭证日期 2021-07-08 比当前会计期间（2011年7月）晚一年以上；确实要使用这个日期，请加 --far-date"))
      << refused.output;
  const std::string csv =
      file("far.csv", "凭证,日期,科目,摘要,借方,贷方\n1,2021-07-08,101,取款,500,\n1,,102,取款,,500\n");
  EXPECT_EQ(RunCli({"voucher", "import", book(), csv}).exitCode, 2);
  EXPECT_EQ(data::IntegerOf(open()->scalar("SELECT COUNT(*) FROM VoucherMaster")), 0);

  add.push_back("--far-date");
  EXPECT_EQ(RunCli(add).exitCode, 0);
  EXPECT_EQ(RunCli({"voucher", "import", book(), csv, "--far-date"}).exitCode, 0);
  EXPECT_EQ(data::IntegerOf(open()->scalar("SELECT COUNT(*) FROM VoucherMaster WHERE CREDID LIKE '202107%'")), 2);
}

// Demo data is one piece of work: when its vouchers cannot be stored, the
// subjects it added before them go too.
TEST_P(VoucherCli, DemoDataIsStoredWholeOrNotAtAll) {
  auto db = open();
  const auto count = [&db](const char* table) {
    return data::IntegerOf(db->scalar(std::string("SELECT COUNT(*) FROM ") + table));
  };
  const std::int64_t subjects = count("Subject");
  // A book that refuses every voucher header, as a failing disk or server would.
  if (GetParam() == data::Engine::Sqlite)
    db->execute(
        "CREATE TRIGGER refuse_vouchers BEFORE INSERT ON VoucherMaster BEGIN SELECT RAISE(ABORT, 'refused'); END");
  else
    db->execute("ALTER TABLE VoucherMaster ADD CONSTRAINT refuse_vouchers CHECK (CREDID IS NULL)");
  const std::vector<std::string> generate = {"demo",   "generate", book(),       "--vouchers", "5",
                                             "--seed", "7",        "--subjects", "150"};
  const ProgramRun failed = RunCli(generate);
  EXPECT_EQ(failed.exitCode, 2) << failed.output;
  EXPECT_TRUE(says(failed, "已全部撤销")) << failed.output;
  EXPECT_EQ(count("Subject"), subjects);
  EXPECT_EQ(count("VoucherMaster"), 0);

  db->execute(GetParam() == data::Engine::Sqlite ? "DROP TRIGGER refuse_vouchers"
                                                 : "ALTER TABLE VoucherMaster DROP CONSTRAINT refuse_vouchers");
  const ProgramRun made = RunCli(generate);
  EXPECT_EQ(made.exitCode, 0) << made.output;
  EXPECT_GT(count("Subject"), subjects);
  EXPECT_EQ(count("VoucherMaster"), 5);
}

}  // namespace
}  // namespace qj::test
