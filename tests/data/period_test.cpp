#include "data/period.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(PeriodText, PadsMonthsAndNumbers) {
  EXPECT_EQ(ConvYearMon(2011, 1), "201101");
  EXPECT_EQ(ConvYearMon(2011, 3), "201103");
  EXPECT_EQ(ConvYearMon(2011, 12), "201112");
  EXPECT_EQ(IntToStr(5, 6), "000005");
  EXPECT_EQ(IntToStr(0, 6), "000000");
  EXPECT_EQ(IntToStr(1234567, 6), "1234567");
  EXPECT_EQ(ConvYearMon(2011, 7) + IntToStr(5, 6), "201107000005");
}

TEST(PeriodDates, LastDaysAndLeapYears) {
  EXPECT_EQ(GetLastDate(2012, 2), Date(2012, 2, 29));
  EXPECT_EQ(GetLastDate(2011, 2), Date(2011, 2, 28));
  EXPECT_EQ(GetLastDate(1900, 2), Date(1900, 2, 28));
  EXPECT_EQ(GetLastDate(2000, 2), Date(2000, 2, 29));
  EXPECT_EQ(GetLastDate(2011, 12), Date(2011, 12, 31));
  EXPECT_EQ(GetLastDay(2011, 4), 30);
  EXPECT_EQ(GetLastDay(2011, 1), 31);
}

TEST(PeriodArithmetic, NextAndPreviousCrossYearEnds) {
  EXPECT_EQ((Period{2011, 12}.next()), (Period{2012, 1}));
  EXPECT_EQ((Period{2011, 5}.next()), (Period{2011, 6}));
  EXPECT_EQ((Period{2012, 1}.previous()), (Period{2011, 12}));
  EXPECT_EQ((Period{2012, 7}.previous()), (Period{2012, 6}));
  EXPECT_EQ(Period::ofDate(Date(2011, 7, 31)), (Period{2011, 7}));
  EXPECT_EQ(Period::parse("201107"), (Period{2011, 7}));
  EXPECT_FALSE(Period::parse("201113"));
  EXPECT_FALSE(Period::parse("20117"));
  EXPECT_FALSE(Period::parse("2011-7"));
}

TEST(PeriodVoucherRange, IncludesTheLastSerialTheNumberingCanIssue) {
  const VoucherIdRange range = MonthVoucherRange(Period{2011, 7});
  EXPECT_LE(range.first, "201107000001");
  EXPECT_GE(range.last, "201107999999");
  EXPECT_GT("201108000001", range.last);
  EXPECT_LT("201106999999", range.first);
}

TEST(DateText, ParsesIsoDatesAndRefusesImpossibleOnes) {
  EXPECT_EQ(Date::parse("2011-07-01"), Date(2011, 7, 1));
  EXPECT_EQ(Date::parse("2011-07-01 13:45:00"), Date(2011, 7, 1));
  EXPECT_FALSE(Date::parse("2011-02-29"));
  EXPECT_FALSE(Date::parse("2011-13-01"));
  EXPECT_FALSE(Date::parse("2011/07/01"));
  EXPECT_FALSE(Date::parse("20110701"));
  EXPECT_EQ(Date::fromDayNumber(Date(2012, 2, 28).dayNumber() + 1), Date(2012, 2, 29));
  EXPECT_EQ(Date(1970, 1, 1).dayNumber(), 0);
}

}  // namespace
}  // namespace qj
