// Every command-line verb asks the right of the screen it stands for, and a
// user without it changes nothing at all: each verb is run as a user who
// lacks its rights, and every table of the book is compared before and after.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "cli/verb_rights.h"
#include "data/schema.h"
#include "host/book_session.h"
#include "host/user_store.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

constexpr const char* kClerk = "出纳";
constexpr const char* kClerkPassword = "QINGJIAN_PASSWORD=pw";

bool says(const ProgramRun& outcome, const std::string& text) { return outcome.output.find(text) != std::string::npos; }

class VerbRights : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli({"book", "create", book(), "--start", "2011-07", "--chart", "legacy"}).exitCode, 0);
    const ProgramRun added = RunCli(
        {"voucher", "add", book(), "--date", "2011-07-20", "--line", "提现,101,500,0", "--line", "提现,102,0,500"});
    ASSERT_EQ(added.exitCode, 0) << added.output;
    auto session = host::BookSession::Open(book());
    host::UserStore(session->db()).add(kClerk, "pw");
    file_ = scratch_.folder() + "/in.csv";
    std::FILE* csv = std::fopen(file_.c_str(), "w");
    ASSERT_NE(csv, nullptr);
    std::fputs("10103,备用金,借\n", csv);
    std::fclose(csv);
  }
  const std::string& book() const { return scratch_.location(); }

  // Every row of every table, each row as text, sorted: equal digests mean
  // an unchanged book.
  std::vector<std::string> digest() {
    auto db = scratch_.open();
    std::vector<std::string> rows;
    for (const data::TableDef& table : data::SchemaTables()) {
      for (const data::Row& row : db->query("SELECT * FROM " + table.name)) {
        std::string text = table.name;
        for (std::size_t i = 0; i < row.size(); ++i) text += "|" + data::TextOf(row.at(i));
        rows.push_back(std::move(text));
      }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  // The words of a verb run against the book.
  std::vector<std::string> wordsOf(const std::string& verb) {
    const std::string credId = "201107000001";
    if (verb == "subject list") return {"subject", "list", book()};
    if (verb == "subject add") return {"subject", "add", book(), "10103", "备用金", "--direction", "借"};
    if (verb == "subject modify") return {"subject", "modify", book(), "102", "--name", "存款"};
    if (verb == "subject delete") return {"subject", "delete", book(), "109", "--answer", "yes"};
    if (verb == "subject import") return {"subject", "import", book(), file_};
    if (verb == "opening set") return {"opening", "set", book(), "101", "--balance", "100"};
    if (verb == "opening check") return {"opening", "check", book()};
    if (verb == "opening show") return {"opening", "show", book()};
    if (verb == "voucher add")
      return {"voucher", "add", book(), "--date", "2011-07-21", "--line", "a,101,1,0", "--line", "a,102,0,1"};
    if (verb == "voucher show") return {"voucher", "show", book(), credId};
    if (verb == "voucher delete") return {"voucher", "delete", book(), credId, "--answer", "yes"};
    if (verb == "voucher import") return {"voucher", "import", book(), file_};
    if (verb == "demo generate") return {"demo", "generate", book(), "--vouchers", "3", "--seed", "1"};
    if (verb == "audit") return {"audit", book()};
    if (verb == "unaudit") return {"unaudit", book()};
    if (verb == "post") return {"post", book(), "--allow-gaps"};
    if (verb == "unpost") return {"unpost", book()};
    if (verb == "carry") return {"carry", book(), "--post"};
    if (verb == "close") return {"close", book()};
    if (verb == "fx") return {"fx", book(), "--subject", "511", "--rate", "1=7", "--post"};
    if (verb == "reopen") return {"reopen", book(), "--answer", "yes"};
    if (verb == "ledger detail") return {"ledger", "detail", book()};
    if (verb == "ledger journal") return {"ledger", "journal", book(), "--subject", "101"};
    if (verb == "ledger general") return {"ledger", "general", book()};
    return {};
  }

 private:
  ScratchDatabase scratch_{GetParam()};
  std::string file_;
};
INSTANTIATE_TEST_SUITE_P(Engines, VerbRights, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(VerbRights, AUserWithoutAVerbsRightIsRefusedAndTheBookStaysAsItWas) {
  const std::vector<std::string> before = digest();
  ASSERT_FALSE(before.empty());
  for (const auto& [verb, rights] : cli::VerbRightTable()) {
    std::vector<std::string> words = wordsOf(verb);
    ASSERT_FALSE(words.empty()) << "no way to run " << verb;
    words.insert(words.end(), {"--user", kClerk});
    const ProgramRun refused = RunCli(words, kClerkPassword);
    EXPECT_EQ(refused.exitCode, 2) << verb << "\n" << refused.output;
    EXPECT_TRUE(says(refused, "权限")) << verb << "\n" << refused.output;
    EXPECT_EQ(digest(), before) << verb << " changed the book";
  }
}

// Each right on its own is enough for its verb to get past the check: the
// table asks the right screen's right, not a stricter one.
TEST_P(VerbRights, TheVerbsRightIsAllItTakes) {
  {
    auto session = host::BookSession::Open(book());
    host::UserStore users(session->db());
    for (const cli::Right& right : cli::VerbRights("post")) users.grant(kClerk, right.function, right.action);
  }
  const ProgramRun posted = RunCli({"post", book(), "--allow-gaps", "--user", kClerk}, kClerkPassword);
  EXPECT_EQ(posted.exitCode, 0) << posted.output;
  const ProgramRun unposted = RunCli({"unpost", book(), "--user", kClerk}, kClerkPassword);
  EXPECT_EQ(unposted.exitCode, 2) << unposted.output;
}

// The package commands that set the book up anew are for administrators.
TEST_P(VerbRights, SetUpCommandsThroughCallAreForAdministratorsOnly) {
  const std::vector<std::string> before = digest();
  for (const char* command : {"SubjectStartDataInitial", "STARTACCOUNT", "SETACCOUNTBOOKSSTATE"}) {
    const ProgramRun refused =
        RunCli({"call", book(), command, "Year=2012", "Month=1", "iState=3", "--user", kClerk}, kClerkPassword);
    EXPECT_EQ(refused.exitCode, 2) << command << "\n" << refused.output;
    EXPECT_TRUE(says(refused, "只有系统管理员")) << refused.output;
    EXPECT_EQ(digest(), before) << command;
  }
  const ProgramRun asked =
      RunCli({"call", book(), "GETCREDCODE", "asDate=2011-07-31", "--user", kClerk}, kClerkPassword);
  EXPECT_EQ(asked.exitCode, 0) << asked.output;
}

}  // namespace
}  // namespace qj::test
