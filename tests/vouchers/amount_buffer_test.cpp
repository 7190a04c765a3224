#include "vouchers/amount_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace qj::vouchers {
namespace {

// Types keys into a buffer: digits, "." and "-", "<" Backspace, "x" Delete,
// "L" and "R" cursor moves.
AmountBuffer typed(const std::string& keys, AmountBuffer buffer = {}) {
  for (const char key : keys) {
    if (key >= '0' && key <= '9')
      buffer.typeDigit(key - '0');
    else if (key == '.')
      buffer.pointToDecimals();
    else if (key == '-')
      buffer.toggleSign();
    else if (key == '<')
      buffer.backspace();
    else if (key == 'x')
      buffer.deleteDigit();
    else if (key == 'L')
      buffer.moveLeft();
    else if (key == 'R')
      buffer.moveRight();
  }
  return buffer;
}

Money amount(const char* text) { return Money::parse(text); }

TEST(AmountBuffer, KeysGiveTheValueAndTextOfACalculator) {
  struct Case {
    const char* keys;
    const char* value;
    const char* text;
  };
  const Case cases[] = {
      {"", "0", ""},
      {"123456789", "123456789", "123456789.00"},
      {"12.5", "12.5", "12.50"},
      {"12.57", "12.57", "12.57"},
      {"12.579", "12.59", "12.59"},  // the second decimal is overwritten
      {".05", "0.05", "0.05"},
      {"0", "0", "0.00"},
      {"07", "7", "7.00"},  // a lone leading zero gives way
      {"-100", "-100", "-100.00"},
      {"100-", "-100", "-100.00"},
      {"100--", "100", "100.00"},
      {"-", "0", "-"},
      {"123<", "12", "12.00"},
      {"12.34<", "12.3", "12.30"},  // back from the second decimal to the first
      {"12.34<<", "12", "12.00"},
      {"12.34<<<", "1", "1.00"},
      {"123L4", "1243", "1243.00"},  // enters at the cursor, the digits before move left
      {"123LLx", "23", "23.00"},
      {"123Lx", "13", "13.00"},
      {"123LLLLL9", "1923", "1923.00"},  // never left of the most significant digit
      {"12RR5", "12.05", "12.05"},
      {"12.3LL4", "124.30", "124.30"},
      {"12.34Lx", "12.04", "12.04"},
  };
  for (const Case& c : cases) {
    const AmountBuffer buffer = typed(c.keys);
    EXPECT_EQ(buffer.value(), amount(c.value)) << c.keys;
    EXPECT_EQ(buffer.text(), c.text) << c.keys;
  }
}

TEST(AmountBuffer, TenIntegerDigitsFillItAndAnEleventhIsRefusedUnchanged) {
  AmountBuffer buffer = typed("1234567890");
  EXPECT_TRUE(buffer.integerFull());
  const AmountBuffer before = buffer;
  EXPECT_FALSE(buffer.typeDigit(1));
  EXPECT_EQ(buffer, before);
  EXPECT_EQ(buffer.value(), amount("1234567890"));
  // The decimals still take digits.
  buffer.pointToDecimals();
  EXPECT_TRUE(buffer.typeDigit(9));
  EXPECT_EQ(buffer.value(), amount("1234567890.9"));
}

TEST(AmountBuffer, DigitsAndSignTellEmptyAndZeroApart) {
  EXPECT_TRUE(AmountBuffer().empty());
  EXPECT_TRUE(typed("-").empty());
  EXPECT_FALSE(typed("0").empty());
  EXPECT_FALSE(typed("0.00").hasNonZeroDigit());
  EXPECT_TRUE(typed(".01").hasNonZeroDigit());
}

TEST(AmountBuffer, FromAValueShowsTwoDecimalsWithTheCursorOnTheUnits) {
  const auto buffer = AmountBuffer::fromValue(amount("-680.0049"));
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->text(), "-680.00");
  EXPECT_EQ(buffer->cursor(), AmountBuffer::kUnits);
  EXPECT_EQ(buffer->digitAt(7), '6');
  EXPECT_EQ(buffer->digitAt(6), ' ');
  EXPECT_EQ(AmountBuffer::fromValue(amount("0.005"))->text(), "0.01");
  EXPECT_TRUE(AmountBuffer::fromValue(Money())->empty());
  // Typing goes on from there.
  EXPECT_EQ(typed("5", *buffer).value(), amount("-6805"));
}

TEST(AmountBuffer, MoreThanTwelveDigitsAreRefused) {
  EXPECT_EQ(AmountBuffer::fromValue(amount("9999999999.99"))->text(), "9999999999.99");
  EXPECT_FALSE(AmountBuffer::fromValue(amount("10000000000")));
  EXPECT_FALSE(AmountBuffer::fromValue(amount("-9999999999.995")));  // rounds up to eleven integer digits
  EXPECT_FALSE(AmountBuffer::fromValue(Money::fromUnits(std::numeric_limits<std::int64_t>::min())));
  const Refusal refusal = AmountBuffer::overflowRefusal();
  EXPECT_EQ(refusal.text, "金额数据超出系统所能接受的范围");
  EXPECT_EQ(refusal.caption, "出错信息");
}

}  // namespace
}  // namespace qj::vouchers
