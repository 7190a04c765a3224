// Export to .xlsx and CSV: what a spreadsheet program finds in the file.
#include "printing/spreadsheet_export.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <regex>

#include "fixtures.h"
#include "printing/errors.h"

namespace qj::printing {
namespace {

namespace fs = std::filesystem;

// One member of a zip archive, "" when it is missing.
std::string ZipMember(const fs::path& archive, const char* member) {
  int error = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &error);
  if (zip == nullptr) return {};
  std::string content;
  zip_stat_t stat;
  zip_file_t* file = zip_stat(zip, member, 0, &stat) == 0 ? zip_fopen(zip, member, 0) : nullptr;
  if (file != nullptr) {
    content.resize(stat.size);
    content.resize(static_cast<std::size_t>(std::max<zip_int64_t>(zip_fread(file, content.data(), stat.size), 0)));
    zip_fclose(file);
  }
  zip_close(zip);
  return content;
}

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
  for (std::sregex_iterator it(sharedXml.begin(), sharedXml.end(), item), end; it != end; ++it) {
    strings.push_back((*it)[1].str());
  }
  // The cell as "s:<shared string>" or "n:<number>"; "" when it is not in the sheet.
  const auto cell = [&](const std::string& reference) -> std::string {
    std::smatch match;
    if (!std::regex_search(sheet, match,
                           std::regex("<c r=\"" + reference + "\"( s=\"\\d+\")?( t=\"s\")?><v>(.*?)</v>"))) {
      return "";
    }
    if (!match[2].matched) return "n:" + match[3].str();
    const std::size_t index = std::stoul(match[3].str());
    return "s:" + (index < strings.size() ? strings[index] : "<none>");
  };
  // Rows 1-2 the title block, 3 blank, 4 the headings, 5-7 the list, 8 blank, 9 the footer.
  EXPECT_EQ(cell("A1"), "s:凭证列表");
  EXPECT_EQ(cell("A2"), "s:编制单位：青简商贸");
  EXPECT_EQ(cell("A4"), "s:凭证号");
  EXPECT_EQ(cell("E4"), "s:借方金额");
  EXPECT_EQ(cell("A5"), "s:0001");
  EXPECT_EQ(cell("D5"), "s:101");
  EXPECT_EQ(cell("C6"), "s:支付货款");
  EXPECT_EQ(cell("E5"), "n:12345678.9012");
  EXPECT_EQ(cell("F6"), "n:-0.01");
  EXPECT_EQ(cell("E7"), "n:20");
  EXPECT_EQ(cell("G7"), "n:3");
  EXPECT_EQ(cell("B5"), "n:45366");  // 2024-03-15 as a spreadsheet date
  EXPECT_EQ(cell("A9"), "s:操作员：张三");
  EXPECT_EQ(cell("A10"), "");
  EXPECT_NE(sheet.find("<mergeCell ref=\"A1:G1\"/>"), std::string::npos);
  EXPECT_NE(ZipMember(path, "xl/styles.xml").find("formatCode=\"#,##0.00\""), std::string::npos);
  EXPECT_EQ(filesInFolder(), 1U);
}

TEST_F(ExportTest, CsvQuotesWhereNeededAndStartsWithTheByteOrderMark) {
  DataSet list = SampleList(2);
  list.rows[0][2] = std::string("摘要, 含逗号");
  list.rows[1][2] = std::string("他说\"好\"\n第二行");
  list.rows[1][3] = std::string(" 1001");
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
            "\r\n"
            "操作员：张三\r\n");
}

TEST_F(ExportTest, CsvTextThatLooksLikeAFormulaNeverRunsAsOne) {
  DataSet list = SampleList(1);
  list.rows[0][2] = std::string("=HYPERLINK(\"http://x\")");
  list.rows[0][3] = std::string("@cmd");
  list.rows[0][4] = Money::parse("-5");
  const fs::path path = folder / "公式.csv";
  WriteCsv(path.string(), {}, list, {});
  const std::string text = ReadFile(path);
  EXPECT_NE(text.find("\"'=HYPERLINK(\"\"http://x\"\")\""), std::string::npos) << text;
  EXPECT_NE(text.find(",'@cmd,"), std::string::npos) << text;
  EXPECT_NE(text.find(",-5.00,"), std::string::npos) << text;  // an amount stays a number
}

TEST_F(ExportTest, FailureLeavesNoFileAndKeepsAnOldOne) {
  const DataSet list = SampleList(2);
  for (const auto& write : {WriteXlsx, WriteCsv}) {
    try {
      write((folder / "没有的文件夹" / "列表.xlsx").string(), titles, list, footers);
      ADD_FAILURE() << "wrote into a missing folder";
    } catch (const ExportError& error) {
      EXPECT_NE(std::string(error.what()).find("无法写入文件"), std::string::npos) << error.what();
    }
    // A destination that is a folder: the file is complete, it only cannot be moved there.
    fs::create_directories(folder / "是文件夹");
    EXPECT_THROW(write((folder / "是文件夹").string(), titles, list, footers), ExportError);
    EXPECT_TRUE(fs::is_empty(folder / "是文件夹"));
    EXPECT_EQ(filesInFolder(), 1U);
    fs::remove_all(folder / "是文件夹");
  }

  // A cell too long for a spreadsheet fails the export midway; the earlier file stays as it was.
  const fs::path path = folder / "列表.xlsx";
  std::ofstream(path) << "旧文件";
  DataSet tooLong = list;
  tooLong.rows[0][2] = std::string(40000, 'x');
  EXPECT_THROW(WriteXlsx(path.string(), titles, tooLong, footers), ExportError);
  EXPECT_EQ(ReadFile(path), "旧文件");
  EXPECT_EQ(filesInFolder(), 1U);
}

}  // namespace
}  // namespace qj::printing
