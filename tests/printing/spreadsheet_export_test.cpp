// Export to .xlsx and CSV: what a spreadsheet program finds in the file.
#include "printing/spreadsheet_export.h"

#include <gtest/gtest.h>

#include <regex>

#include "fixtures.h"
#include "printing/errors.h"
#include "support/zip_member.h"

namespace qj::printing {
namespace {

namespace fs = std::filesystem;

std::string ZipMember(const fs::path& archive, const char* member) { return test::ZipMember(archive.string(), member); }

class ExportTest : public ScratchFolderTest {
 protected:
  const std::vector<std::string> titles = {"凭证列表", "编制单位：青简商贸"};
  const std::vector<std::string> footers = {"操作员：张三"};
};

TEST_F(ExportTest, XlsxHoldsNumbersDatesTextAndTheBlocks) {
  DataSet list = SampleList(3);
  list.rows[1][5] = Money::parse("-0.0100");
  const fs::path path = folder / "凭证列表.xlsx";
  WriteXlsx(path.string(), titles, list, footers);

  const std::string sheet = ZipMember(path, "xl/worksheets/sheet1.xml");
  const std::string sharedXml = ZipMember(path, "xl/sharedStrings.xml");
  ASSERT_FALSE(sheet.empty());
  std::vector<std::string> strings;
  const std::regex item("<si><t[^>]*>(.*?)</t></si>");
  for (std::sregex_iterator it(sharedXml.begin(), sharedXml.end(), item), end; it != end; ++it)
    strings.push_back((*it)[1].str());
  // Cells A to G of a row, each "s:<shared string>", "n:<number>" or "" when not in the sheet, joined by "|".
  const auto row = [&](int number) {
    std::string cells;
    for (char column = 'A'; column <= 'G'; ++column) {
      std::smatch match;
      const std::string reference = column + std::to_string(number);
      if (column > 'A') cells += "|";
      if (!std::regex_search(sheet, match,
                             std::regex("<c r=\"" + reference + "\"( s=\"\\d+\")?( t=\"s\")?><v>(.*?)</v>")))
        continue;
      const std::size_t index = match[2].matched ? std::stoul(match[3].str()) : 0;
      cells += !match[2].matched ? "n:" + match[3].str() : "s:" + (index < strings.size() ? strings[index] : "<none>");
    }
    return cells;
  };
  // Codes stay text; amounts, line numbers and dates (2024-03-15 is day 45366) are numbers.
  const char* const rows[] = {
      "s:凭证列表||||||",  // 1-2: the title block, 3: blank
      "s:编制单位：青简商贸||||||",
      "||||||",
      "s:凭证号|s:日期|s:摘要|s:科目代码|s:借方金额|s:贷方金额|s:行号",
      "s:0001|n:45366|s:收到货款|s:101|n:12345678.9012||n:1",
      "s:0002|n:45366|s:支付货款|s:202||n:-0.01|n:2",
      "s:0003|n:45366|s:收到货款|s:101|n:20||n:3",
      "||||||",
      "s:操作员：张三||||||",
      "||||||",
  };
  for (int number = 1; number <= 10; ++number) EXPECT_EQ(row(number), rows[number - 1]) << "row " << number;
  EXPECT_NE(sheet.find("<mergeCell ref=\"A1:G1\"/>"), std::string::npos);
  EXPECT_NE(ZipMember(path, "xl/styles.xml").find("formatCode=\"#,##0.00\""), std::string::npos);
  EXPECT_EQ(filesInFolder(), 1U);
}

TEST_F(ExportTest, CsvQuotesWhereNeededStartsWithTheByteOrderMarkAndNeverRunsAFormula) {
  DataSet list = SampleList(3);
  list.rows[0][2] = std::string("摘要, 含逗号");
  list.rows[1][2] = std::string("他说\"好\"\n第二行");
  list.rows[1][3] = std::string(" 1001");
  list.rows[2][2] = std::string("=HYPERLINK(\"http://x\")");
  list.rows[2][3] = std::string("@cmd");
  list.rows[2][4] = Money::parse("-5");  // an amount stays a number
  const fs::path path = folder / "凭证列表.csv";
  WriteCsv(path.string(), titles, list, footers);

  EXPECT_EQ(ReadFile(path),
            "\xEF\xBB\xBF"
            "凭证列表\r\n"
            "编制单位：青简商贸\r\n"
            "\r\n"
            "凭证号,日期,摘要,科目代码,借方金额,贷方金额,行号\r\n"
            "0001,2024-03-15,\"摘要, 含逗号\",101,12345678.90,,1\r\n"
            "0002,2024-03-15,\"他说\"\"好\"\"\n第二行\",\" 1001\",,10.00,2\r\n"
            "0003,2024-03-15,\"'=HYPERLINK(\"\"http://x\"\")\",'@cmd,-5.00,,3\r\n"
            "\r\n"
            "操作员：张三\r\n");
}

TEST_F(ExportTest, FailureLeavesNoFileAndKeepsAnOldOne) {
  const DataSet list = SampleList(2);
  fs::create_directories(folder / "是文件夹");
  for (const auto& write : {WriteXlsx, WriteCsv}) {
    try {
      write((folder / "没有的文件夹" / "列表.xlsx").string(), titles, list, footers);
      ADD_FAILURE() << "wrote into a missing folder";
    } catch (const ExportError& error) {
      EXPECT_NE(std::string(error.what()).find("无法写入文件"), std::string::npos) << error.what();
    }
    // A destination that is a folder: the file is complete, it only cannot be moved there.
    EXPECT_THROW(write((folder / "是文件夹").string(), titles, list, footers), ExportError);
    EXPECT_TRUE(fs::is_empty(folder / "是文件夹"));
    EXPECT_EQ(filesInFolder(), 1U) << "a half-written file was left behind";
  }

  // A cell too long for a spreadsheet fails the export midway; the earlier file stays as it was.
  const fs::path path = folder / "列表.xlsx";
  std::ofstream(path) << "旧文件";
  DataSet tooLong = list;
  tooLong.rows[0][2] = std::string(40000, 'x');
  EXPECT_THROW(WriteXlsx(path.string(), titles, tooLong, footers), ExportError);
  EXPECT_EQ(ReadFile(path), "旧文件");
  EXPECT_EQ(filesInFolder(), 2U);
}

}  // namespace
}  // namespace qj::printing
