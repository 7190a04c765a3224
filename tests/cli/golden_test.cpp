// Command-line output checked against baselines. Each file in tests/cli/golden
// is a script over one fresh book:
//
//   # comment lines start with "#"
//   $ voucher add BOOK --date 2011-07-05 --line 提现,101,500,0 --line 提现,102,0,500
//   已保存凭证：记1（201107000001）
//   $ post BOOK
//   ...
//   [exit 2]
//
// A "$" line is a command (shell words; BOOK stands for the book), the lines
// after it are exactly what it prints (standard output and error, with the
// book's location written as BOOK), and an optional "[exit N]" gives its exit
// status (0 when absent). Every file runs on every test engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

struct Step {
  int line = 0;         // of the command in its file
  std::string command;  // after "$ "
  std::string expected;
  int exitCode = 0;
};

std::vector<Step> readScript(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<Step> steps;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (text.starts_with("#")) continue;
    if (text.starts_with("$ ")) {
      steps.push_back({number, text.substr(2), {}, 0});
    } else if (steps.empty()) {
      ADD_FAILURE() << file << ":" << number << ": output before the first command";
    } else if (text.starts_with("[exit ") && text.ends_with("]")) {
      steps.back().exitCode = std::stoi(text.substr(6));
    } else {
      steps.back().expected += text + "\n";
    }
  }
  return steps;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::vector<std::filesystem::path> scripts() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(QJ_GOLDEN_DIR))
    if (entry.path().extension() == ".test") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class GoldenCli : public ::testing::TestWithParam<data::Engine> {};
INSTANTIATE_TEST_SUITE_P(Engines, GoldenCli, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(GoldenCli, EveryScriptPrintsItsBaseline) {
  const auto files = scripts();
  ASSERT_GE(files.size(), 3u) << "the baselines in " << QJ_GOLDEN_DIR << " are missing";
  for (const auto& file : files) {
    const ScratchDatabase scratch(GetParam());
    const std::vector<Step> steps = readScript(file);
    ASSERT_FALSE(steps.empty()) << file << " has no command";
    for (const Step& step : steps) {
      const ProgramRun run = RunCliLine(replaced(step.command, "BOOK", Quoted(scratch.location())));
      const std::string output = replaced(run.output, scratch.location(), "BOOK");
      EXPECT_EQ(output, step.expected) << file.filename().string() << ":" << step.line << ": $ " << step.command;
      EXPECT_EQ(run.exitCode, step.exitCode) << file.filename().string() << ":" << step.line << ": $ " << step.command;
    }
  }
}

}  // namespace
}  // namespace qj::test
