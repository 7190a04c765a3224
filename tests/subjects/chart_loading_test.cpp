// Charts that arrive whole: the standard chart of a new book and a chart
// imported from CSV, validated row by row with the add dialog's rules.
#include <gtest/gtest.h>

#include "subjects/chart_fixture.h"
#include "subjects/standard_chart.h"
#include "subjects/subject_import.h"

namespace qj::test {
namespace {

class ChartLoading : public ChartTest {
 protected:
  std::string row(const std::string& code) {
    const auto r = db().queryOne(
        "SELECT NAME, DCFLAG, DETAILFLAG, ATTRFLAG, SPECIALEVELCODE FROM Subject "
        "WHERE SUBJECTID=:c",
        {{"c", code}});
    if (!r) return "-";
    return r->text("NAME") + "," + r->text("DCFLAG") + r->text("DETAILFLAG") + "," + r->text("ATTRFLAG") + "," +
           r->text("SPECIALEVELCODE");
  }
  std::string problems(const subjects::ImportReport& report) {
    std::string out;
    for (const auto& p : report.problems) out += std::to_string(p.line) + ":" + p.refusal.text + "\n";
    return out;
  }
};
QJ_ON_EVERY_ENGINE(ChartLoading);

TEST_P(ChartLoading, StandardChartFollowsTheSegmentWidths) {
  subjects::InstallStandardChart(db(), base::CodeStructure({3, 5, 7, 9}));
  EXPECT_EQ(row("101"), "现金,TT,34,101");
  EXPECT_EQ(row("113"), "应收账款,TT,34,113");
  EXPECT_EQ(row("204"), "预收账款,FT,34,204");
  EXPECT_EQ(row("321"), "本年利润,FT,102,321");
  EXPECT_EQ(row("221"), "应交税金,FF,0,221");
  EXPECT_EQ(row("22101"), "应交增值税,FF,0,");
  EXPECT_EQ(row("2210101"), "进项税额,FT,0,");
  EXPECT_EQ(text("SELECT SUBJECTID FROM HostReservedSub WHERE RESERVEDID=0"), "161");
  EXPECT_EQ(count("SELECT COUNT(*) FROM HostReservedSub WHERE RESERVEDID IN (2, 3, 16) AND SUBJECTID IN "
                  "('101', '102', '321')"),
            3);
  // Every summary subject has sub-accounts and every detail subject none.
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject P WHERE (P.DETAILFLAG='F') <> EXISTS (SELECT 1 FROM Subject C "
                  "WHERE length(C.SUBJECTID)>length(P.SUBJECTID) AND substr(C.SUBJECTID, 1, length(P.SUBJECTID))="
                  "P.SUBJECTID)"),
            0);
}

TEST_P(ChartLoading, StandardChartLeavesOutWhatTheStructureCannotHold) {
  EXPECT_FALSE(subjects::StandardChartFits(base::CodeStructure({4, 6})));
  subjects::InstallStandardChart(db(), base::CodeStructure({3, 4}));
  EXPECT_EQ(row("2211"), "应交增值税,FT,0,");      // a leaf: the book has no third level
  EXPECT_EQ(row("2219"), "应交土地使用税,FT,0,");  // the tenth tax no longer fits one digit
  EXPECT_EQ(row("221"), "应交税金,FF,0,221");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE length(SUBJECTID)=4 AND SUBJECTID LIKE '221%'"), 9);
}

TEST_P(ChartLoading, ImportStoresParentsFirstOrNothingAtAll) {
  const auto report = subjects::ImportSubjects(host(),
                                               "科目编码,科目名称,余额方向\n"
                                               "10101,库存现金,借\n"
                                               "\n"
                                               "101,现金,借,0,,是,XJ\n"
                                               "501,\"主营业务收入, 商品\",贷\n");
  ASSERT_TRUE(report);
  EXPECT_EQ(problems(*report), "");
  EXPECT_EQ(report->stored, 3);
  EXPECT_EQ(detailFlag("101"), "F");
  EXPECT_EQ(text("SELECT NAME FROM Subject WHERE SUBJECTID='501'"), "主营业务收入, 商品");

  const std::string before = book();
  const auto failed = subjects::ImportSubjects(host(),
                                               "102,银行存款,借\n"
                                               "103,其他,左\n"
                                               "104,,借\n"
                                               "10101,重复,借\n"
                                               "20501,无上级,贷\n"
                                               "1020,格式,借\n"
                                               "106,\"两\n行\",借\n"
                                               "107,\xB8\xF1\xCA\xBD,借\n");
  ASSERT_TRUE(failed);
  EXPECT_EQ(problems(*failed),
            "2:余额方向应为“借”或“贷”：左\n"
            "3:科目名称不可为空\n"
            "4:科目编码已被其他科目使用\n"
            "5:上级科目'205'不存在\n"
            "6:科目编码格式错，正确的格式应为：3-2-2-2\n"
            "7:第 2 列含有换行、制表符或其他控制字符\n"
            "9:第 2 列含有不是 UTF-8 编码的字节（文件应以 UTF-8 编码保存）\n");
  EXPECT_EQ(failed->stored, 0);
  EXPECT_EQ(book(), before);
}

}  // namespace
}  // namespace qj::test
