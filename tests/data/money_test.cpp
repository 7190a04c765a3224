#include "data/money.h"

#include <gtest/gtest.h>

#include <limits>

namespace qj {
namespace {

Money m(const char* text) { return Money::parse(text); }

TEST(MoneyParse, AcceptsPlainSignedGroupedAndShortDecimals) {
  EXPECT_EQ(m("0").units(), 0);
  EXPECT_EQ(m("12").units(), 120000);
  EXPECT_EQ(m("-12.5").units(), -125000);
  EXPECT_EQ(m("+0.0001").units(), 1);
  EXPECT_EQ(m(" 1,234,567.89 ").units(), 12345678900);
  EXPECT_EQ(m("123,456").units(), 1234560000);
  EXPECT_EQ(m(".5").units(), 5000);
  EXPECT_EQ(m("922337203685477.5807").units(), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(m("-922337203685477.5808").units(), std::numeric_limits<std::int64_t>::min());
}

TEST(MoneyParse, RefusesMalformedTooPreciseAndOutOfRangeText) {
  for (const char* bad : {"",
                          "-",
                          "abc",
                          "1.2.3",
                          "1e5",
                          "12,",
                          ",12",
                          "1,,2",
                          "1,5",
                          "12,34",
                          "1,2345",
                          "1234,567",
                          "1,234,56.7",
                          "1,23.5",
                          "1.00001",
                          "0x10",
                          "１２",
                          "1 2",
                          "922337203685477.5808",
                          "99999999999999999999"})
    EXPECT_THROW(m(bad), MoneyError) << bad;
}

TEST(MoneyFormat, PrintsFixedDecimalsRoundingHalfAwayFromZero) {
  EXPECT_EQ(m("1234.5").toString(), "1234.5000");
  EXPECT_EQ(m("-0.005").toString(2), "-0.01");
  EXPECT_EQ(m("0.005").toString(2), "0.01");
  EXPECT_EQ(m("0.0049").toString(2), "0.00");
  EXPECT_EQ(m("-7.5").toString(0), "-8");
  EXPECT_EQ(Money::fromUnits(std::numeric_limits<std::int64_t>::min()).toString(), "-922337203685477.5808");
}

TEST(MoneyFormat, GroupsThousandsWithTwoDecimalsForScreenAndPaper) {
  EXPECT_EQ(m("11300").grouped(), "11,300.00");
  EXPECT_EQ(m("-1234567.455").grouped(), "-1,234,567.46");
  EXPECT_EQ(m("999.994").grouped(), "999.99");
  EXPECT_EQ(m("-100").grouped(), "-100.00");
  EXPECT_EQ(m("0").grouped(), "0.00");
  EXPECT_EQ(m("1000000").grouped(0), "1,000,000");
  EXPECT_EQ(Money::fromUnits(std::numeric_limits<std::int64_t>::min()).grouped(4), "-922,337,203,685,477.5808");
  for (const char* text : {"11300", "-1234567.45", "0.01", "100000"})
    EXPECT_EQ(m(m(text).grouped().c_str()), m(text)) << "what is shown reads back";
}

TEST(MoneyArithmetic, SumsExactlyWhereBinaryFloatingPointWouldDrift) {
  Money total;
  for (int i = 0; i < 1000; ++i) total += m("0.1");
  EXPECT_EQ(total, m("100"));
  EXPECT_EQ(m("0.1") + m("0.2"), m("0.3"));
}

TEST(MoneyArithmetic, RefusesOverflowInsteadOfWrapping) {
  const Money big = Money::fromUnits(std::numeric_limits<std::int64_t>::max());
  EXPECT_THROW(big + m("0.0001"), MoneyError);
  EXPECT_THROW(-big - m("0.0002"), MoneyError);
  EXPECT_THROW(-Money::fromUnits(std::numeric_limits<std::int64_t>::min()), MoneyError);
  EXPECT_THROW((void)m("100000000000000").times(m("100")), MoneyError);
  EXPECT_THROW(Money::fromInteger(std::numeric_limits<std::int64_t>::max() / 1000), MoneyError);
  Money total;
  EXPECT_THROW(
      {
        for (int i = 0; i < 20; ++i) total += m("900000000000000");
      },
      MoneyError);
}

TEST(MoneyArithmetic, RateProductsAndQuotientsRoundHalfAwayFromZeroToFourDecimals) {
  EXPECT_EQ(m("100").times(m("6.8312")), m("683.12"));
  EXPECT_EQ(m("0.0001").times(m("0.5")), m("0.0001"));
  EXPECT_EQ(m("-0.0001").times(m("0.5")), m("-0.0001"));
  EXPECT_EQ(m("0.0001").times(m("0.4999")), m("0"));
  // The product needs more than 64 bits before it is scaled back.
  EXPECT_EQ(m("90000000000").times(m("100")), m("9000000000000"));
  EXPECT_EQ(m("10").dividedBy(m("3")), m("3.3333"));
  EXPECT_EQ(m("-20").dividedBy(m("3")), m("-6.6667"));
  EXPECT_THROW((void)m("1").dividedBy(Money()), MoneyError);
}

TEST(MoneyArithmetic, ARateProductRoundsOnceToFen) {
  // 0.0099 × 0.5 = 0.00495: rounding to four places first would give 0.0050 and then 0.01.
  EXPECT_EQ(m("0.0099").times(m("0.5"), 2), m("0"));
  EXPECT_EQ(m("0.0099").times(m("0.5")), m("0.005"));
  EXPECT_EQ(m("100").times(m("6.8313"), 2), m("683.13"));
  EXPECT_EQ(m("-0.0101").times(m("0.5"), 2), m("-0.01"));
  EXPECT_EQ(m("-0.0099").times(m("0.5"), 2), m("0"));
}

TEST(TruncateCurrency, RoundsToWholeFenHalfAwayFromZero) {
  EXPECT_EQ(TruncateCurrency(m("2.345")), m("2.35"));
  EXPECT_EQ(TruncateCurrency(m("2.3449")), m("2.34"));
  EXPECT_EQ(TruncateCurrency(m("-2.345")), m("-2.35"));
  EXPECT_EQ(TruncateCurrency(m("-2.3449")), m("-2.34"));
  EXPECT_EQ(TruncateCurrency(m("0.005")), m("0.01"));
  EXPECT_EQ(TruncateCurrency(m("12.30")), m("12.3"));
}

}  // namespace
}  // namespace qj
