// qingjian-cli ledger: the ledgers a script reads, in every format, and the
// arguments it refuses.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/code_structure.h"
#include "cli/cli_runner.h"
#include "ledgers/detail_ledger.h"
#include "ledgers/ledger_sheet.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

bool says(const ProgramRun& outcome, const std::string& text) { return outcome.output.find(text) != std::string::npos; }

class LedgerCli : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli({"book", "create", book(), "--start", "2011-07", "--chart", "legacy"}).exitCode, 0);
    ASSERT_EQ(RunCli({"demo", "generate", book(), "--vouchers", "40", "--seed", "3", "--subjects", "20"}).exitCode, 0);
    ASSERT_EQ(RunCli({"audit", book()}).exitCode, 0);
    const ProgramRun posted = RunCli({"post", book(), "--allow-gaps"});
    ASSERT_EQ(posted.exitCode, 0) << posted.output;
  }
  const std::string& book() const { return scratch_.location(); }
  ScratchDatabase& scratch() { return scratch_; }
  // A file beside the test's others, one per engine.
  static std::string outputPath(const std::string& name) {
    return ::testing::TempDir() + "qj-ledger-" + EngineParamName({GetParam(), 0}) + "-" + name;
  }

 private:
  ScratchDatabase scratch_{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(Engines, LedgerCli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(LedgerCli, JsonHoldsTheEnginesRowsWithExactAmounts) {
  const ProgramRun run = RunCli({"ledger", "detail", book(), "--subjects", "101-102", "--format", "json"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto json = nlohmann::json::parse(run.output);
  EXPECT_EQ(json["title"], "明细分类帐");

  // The same filter through the engine, as the screen builds it.
  auto db = scratch().open();
  const ledgers::LedgerFilter filter{2011, 7, 7, 0, false, {"101", "102"}};
  const ledgers::DetailLedgerRun engine(*db, base::CodeStructure({3, 5, 7, 9}), filter);
  std::vector<std::vector<std::string>> expected;
  const auto columns = ledgers::LedgerColumns(ledgers::LedgerKind::Detail, false, true);
  for (std::size_t i = 0; i < engine.subjects().size(); ++i) {
    for (const auto& row : engine.rows(i)) {
      const auto cells = ledgers::LedgerCells(row, engine.subjects()[i], ledgers::LedgerKind::Detail, false, true);
      std::vector<std::string> texts;
      for (const auto& cell : cells) {
        if (const auto* text = std::get_if<std::string>(&cell))
          texts.push_back(*text);
        else if (const auto* amount = std::get_if<Money>(&cell))
          texts.push_back(amount->toString(2));
        else if (const auto* date = std::get_if<Date>(&cell))
          texts.push_back(date->toString());
        else
          texts.emplace_back();
      }
      expected.push_back(texts);
    }
  }
  ASSERT_GT(expected.size(), 4U);
  ASSERT_EQ(json["rows"].size(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r)
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const auto& cell = json["rows"][r][columns[c].name];
      EXPECT_EQ(cell.is_null() ? std::string() : cell.get<std::string>(), expected[r][c]) << r << " " << c;
    }
}

TEST_P(LedgerCli, EveryFormatIsWrittenAndBadArgumentsAreRefused) {
  const ProgramRun table = RunCli({"ledger", "general", book(), "--level", "1"});
  ASSERT_EQ(table.exitCode, 0) << table.output;
  EXPECT_TRUE(says(table, "总分类帐"));
  EXPECT_TRUE(says(table, "本年累计"));

  const std::string csv = outputPath("journal.csv");
  const ProgramRun journal =
      RunCli({"ledger", "journal", book(), "--subject", "101", "--format", "csv", "--output", csv});
  ASSERT_EQ(journal.exitCode, 0) << journal.output;
  std::stringstream text;
  text << std::ifstream(csv).rdbuf();
  EXPECT_NE(text.str().find("现金日记帐"), std::string::npos);
  EXPECT_NE(text.str().find("对方科目"), std::string::npos);
  std::remove(csv.c_str());

  for (const char* format : {"xlsx", "pdf"}) {
    const std::string file = outputPath(std::string("ledger.") + format);
    const ProgramRun written = RunCli({"ledger", "detail", book(), "--format", format, "--output", file});
    EXPECT_EQ(written.exitCode, 0) << written.output;
    std::ifstream in(file, std::ios::binary);
    std::string head(4, '\0');
    in.read(head.data(), 4);
    EXPECT_EQ(head, std::string(format) == "pdf" ? "%PDF" : "PK\x03\x04") << format;
    std::remove(file.c_str());
  }

  const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
      {{"ledger", "detail", book(), "--year", "2010"}, "会计期间不能从系统开帐日之前开始"},
      {{"ledger", "detail", book(), "--from", "9"}, "会计期间不能从当前会计期间之后开始"},
      {{"ledger", "detail", book(), "--currency", "42"}, "帐套中没有这个币别"},
      {{"ledger", "general", book(), "--from", "9", "--to", "3"}, "会计开始期间不能大于会计结束期间"},
      {{"ledger", "journal", book(), "--subject", "501"}, "不是现金或银行存款科目"},
      {{"ledger", "detail", book(), "--format", "xlsx"}, "需要用 --output 指定文件"},
      {{"ledger", "trial", book()}, "detail、journal 或 general"},
      {{"ledger", "detail", book(), "--subjects", "102-101"}, "起始科目不能大于结束科目"},
      {{"ledger", "detail", book(), "--subjects", "1-2-3"}, "--subjects 应为"},
  };
  for (const auto& [words, message] : refused) {
    const ProgramRun run = RunCli(words);
    EXPECT_EQ(run.exitCode, 1) << words[1] << "\n" << run.output;
    EXPECT_TRUE(says(run, message)) << run.output;
  }
}

}  // namespace
}  // namespace qj::test
