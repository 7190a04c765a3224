// Print templates: the stored form and the built-in layout.
#include "printing/print_template.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "printing/errors.h"

namespace qj::printing {
namespace {

data::Blob Bytes(const std::string& text) { return {text.begin(), text.end()}; }

PrintTemplate Designed() {
  PrintTemplate layout;
  layout.title = "现金日记账";
  layout.columns = {{"CREDDATE", "日期", 22, Alignment::Center}, {"DEBIT", "借方", 30, Alignment::Right}};
  layout.headerLines = {"编制单位：{公司名称}", "期间：{期间}  \"引号\" \\ 反斜杠"};
  layout.footerLines = {"第{页码}页，共{总页数}页"};
  layout.orientation = Orientation::Landscape;
  layout.rowsPerPage = 25;
  return layout;
}

TEST(PrintTemplate, SurvivesTheStoredFormAndDamagedBytesAreAClearError) {
  EXPECT_EQ(TemplateFromBytes(TemplateToBytes(Designed())), Designed());
  EXPECT_EQ(TemplateFromBytes(TemplateToBytes(PrintTemplate{})), PrintTemplate{});

  const data::Blob stored = TemplateToBytes(Designed());
  const std::string good(stored.begin(), stored.end());
  const std::vector<std::string> damaged = {
      "",
      std::string("\x00\xff\x13garbage", 10),
      good.substr(0, good.size() / 2),
      "[1, 2, 3]",
      R"({"version": 1})",
      R"({"version": 1, "columns": [{"field": "DEBIT", "width": "wide"}]})",
      R"({"version": 1, "columns": [{"field": "DEBIT", "width": 0}]})",
      R"({"version": 1, "columns": [{"heading": "无字段"}]})",
      R"({"version": 1, "columns": [], "orientation": "diagonal"})",
      R"({"version": 1, "columns": [], "header": "not a list"})",
      R"({"version": 1, "columns": [], "rowsPerPage": -3})",
      R"({"columns": []})",
  };
  for (const std::string& text : damaged) {
    try {
      TemplateFromBytes(Bytes(text));
      ADD_FAILURE() << "accepted: " << text;
    } catch (const TemplateFormatError& error) {
      EXPECT_NE(std::string(error.what()).find("打印模板数据已损坏"), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(TemplateFromBytes(Bytes(R"({"version": 2, "columns": []})")), TemplateFormatError);
}

TEST(PrintTemplate, DefaultLayoutShowsEveryColumnAndTurnsWideListsSideways) {
  DataSet list = SampleList(3);
  const PrintTemplate made = DefaultTemplate(662, list, "凭证列表").layout;
  ASSERT_EQ(made.columns.size(), list.columns.size());
  for (std::size_t i = 0; i < list.columns.size(); ++i) {
    EXPECT_EQ(made.columns[i].field, list.columns[i].name);
    EXPECT_EQ(made.columns[i].heading, list.columns[i].title);
  }
  // 80 characters of columns: 174 mm, which fits portrait A4 (186 mm inside the margins).
  EXPECT_EQ(made.orientation, Orientation::Portrait);
  // A column of amounts is right-aligned even when the list forgot to say so.
  list.columns[4].alignment = Alignment::Left;
  EXPECT_EQ(DefaultTemplate(662, list, "").layout.columns[4].alignment, Alignment::Right);
  EXPECT_EQ(DefaultTemplate(662, list, "").layout.columns[3].alignment, Alignment::Left);
  list.columns[2].width = 40;
  EXPECT_EQ(DefaultTemplate(662, list, "凭证列表").layout.orientation, Orientation::Landscape);
}

}  // namespace
}  // namespace qj::printing
