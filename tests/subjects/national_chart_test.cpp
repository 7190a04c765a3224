// The four-digit small-enterprise chart a new book may start from.
#include <gtest/gtest.h>

#include <stdexcept>

#include "hostapi/refusal.h"
#include "subjects/chart_fixture.h"
#include "subjects/national_chart.h"

namespace qj::test {
namespace {

class NationalChart : public ChartTest {
 protected:
  // "name,direction detail cash,attr" of a subject, "-" when it is missing.
  std::string row(const std::string& code) {
    const auto r = db().queryOne("SELECT NAME, DCFLAG, DETAILFLAG, VorCash, ATTRFLAG FROM Subject WHERE SUBJECTID=:c",
                                 {{"c", code}});
    if (!r) return "-";
    return r->text("NAME") + "," + r->text("DCFLAG") + r->text("DETAILFLAG") + r->text("VorCash") + "," +
           r->text("ATTRFLAG");
  }
  // Rows of `table` whose code is longer than `top` and whose parent, `width`
  // characters shorter, is missing or a detail row.
  std::int64_t orphans(const std::string& table, const std::string& column, int top, int width) {
    const std::string parent = "substr(C." + column + ", 1, length(C." + column + ")-" + std::to_string(width) + ")";
    return count("SELECT COUNT(*) FROM " + table + " C WHERE length(C." + column + ")>" + std::to_string(top) +
                 " AND NOT EXISTS (SELECT 1 FROM " + table + " P WHERE P." + column + "=" + parent +
                 " AND P.DETAILFLAG='F')");
  }
};
QJ_ON_EVERY_ENGINE(NationalChart);

TEST_P(NationalChart, FillsAFourTwoTwoTwoBook) {
  const base::CodeStructure structure({4, 6, 8, 10});
  ASSERT_TRUE(subjects::NationalChartFits(structure));
  subjects::InstallNationalChart(db(), structure);
  EXPECT_EQ(row("1001"), "库存现金,TTT,34");
  EXPECT_EQ(row("1002"), "银行存款,TTT,34");
  EXPECT_EQ(row("101201"), "外埠存款,TTT,0");
  EXPECT_EQ(row("1602"), "累计折旧,FTF,34");
  EXPECT_EQ(row("3103"), "本年利润,FTF,102");
  EXPECT_EQ(row("2221"), "应交税费,FFF,0");
  EXPECT_EQ(row("222101"), "应交增值税,FFF,0");
  EXPECT_EQ(row("22210101"), "进项税额,TTF,0");
  EXPECT_EQ(row("22210107"), "销项税额,FTF,0");
  int levelOne = 0;
  for (const auto& r : db().query("SELECT SUBJECTID, SPECIALEVELCODE FROM Subject WHERE length(SUBJECTID)=4")) {
    EXPECT_EQ(r.text("SPECIALEVELCODE"), r.text("SUBJECTID"));
    ++levelOne;
  }
  EXPECT_EQ(levelOne, 66);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE SUBJECTID LIKE '5603__' AND NAME=:n",
                  {{"n", subjects::kNationalExchangeGainLossName}}),
            1);

  std::string reserved;
  for (const auto& r : db().query("SELECT RESERVEDID, SUBJECTID FROM HostReservedSub ORDER BY RESERVEDID"))
    reserved += r.text("RESERVEDID") + ":" + r.text("SUBJECTID") + " ";
  EXPECT_EQ(reserved, "0:1601 2:1001 3:1002 16:3103 ");

  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE length(SUBJECTID) NOT IN (4, 6, 8, 10)"), 0);
  EXPECT_EQ(orphans("Subject", "SUBJECTID", 4, 2), 0);
  // Every summary subject has sub-accounts.
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject P WHERE P.DETAILFLAG='F' AND NOT EXISTS (SELECT 1 FROM Subject C "
                  "WHERE length(C.SUBJECTID)=length(P.SUBJECTID)+2 AND substr(C.SUBJECTID, 1, length(P.SUBJECTID))="
                  "P.SUBJECTID)"),
            0);
}

TEST_P(NationalChart, RefusesThreeDigitLevelOneCodes) {
  const base::CodeStructure structure({3, 5, 7, 9});
  EXPECT_FALSE(subjects::NationalChartFits(structure));
  EXPECT_THROW(subjects::InstallNationalChart(db(), structure), qj::RefusalError);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM HostReservedSub"), 0);
}

TEST_P(NationalChart, TwoLevelsLeaveOutTheVatColumns) {
  subjects::InstallNationalChart(db(), base::CodeStructure({4, 6}));
  EXPECT_EQ(row("222101"), "应交增值税,FTF,0");  // a leaf: the book has no third level
  EXPECT_EQ(row("222102"), "未交增值税,FTF,0");  // numbering goes on after the left-out columns
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE length(SUBJECTID)>6"), 0);
  EXPECT_EQ(row("2221"), "应交税费,FFF,0");
  EXPECT_EQ(orphans("Subject", "SUBJECTID", 4, 2), 0);
}

}  // namespace
}  // namespace qj::test
