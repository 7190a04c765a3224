#include "desktop/calculator_model.h"

#include <gtest/gtest.h>

#include <string_view>

namespace qj::test {
namespace {

using desktop::Operation;

// Presses keys written as text: digits, '.', + - * /, '=', 'C' and '<' for
// backspace; returns the display.
std::string Press(desktop::CalculatorModel& model, std::string_view keys) {
  for (char key : keys) {
    if (key >= '0' && key <= '9') model.digit(key - '0');
    if (key == '.') model.point();
    if (key == '+') model.operation(Operation::Add);
    if (key == '-') model.operation(Operation::Subtract);
    if (key == '*') model.operation(Operation::Multiply);
    if (key == '/') model.operation(Operation::Divide);
    if (key == '=') model.equals();
    if (key == 'C') model.clear();
    if (key == '<') model.backspace();
  }
  return model.display();
}

// The display of a fresh calculator after the keys.
std::string Press(std::string_view keys) {
  desktop::CalculatorModel model;
  return Press(model, keys);
}

TEST(CalculatorModel, ArithmeticIsExactToFourDecimals) {
  EXPECT_EQ(Press("0.1+0.2="), "0.3");
  EXPECT_EQ(Press("1/3="), "0.3333");
  // Halves are rounded away from zero, on either side.
  EXPECT_EQ(Press("0.0005/2="), "0.0003");
  EXPECT_EQ(Press("0-0.0005=/2="), "-0.0003");
  EXPECT_EQ(Press("2+3*4="), "20");  // from left to right, as desk calculators do
  EXPECT_EQ(Press("7-*2="), "14");   // a second operation key replaces the first
  EXPECT_EQ(Press("5+="), "10");
  EXPECT_EQ(Press("3+4=2*5="), "10");  // a digit after = starts afresh
  EXPECT_EQ(Press("3+4=*5="), "35");   // an operation after = goes on with the result
}

TEST(CalculatorModel, TypingKeepsToFourDecimalsAndFourteenWholeDigits) {
  EXPECT_EQ(Press("007"), "7");
  EXPECT_EQ(Press(".5"), "0.5");
  EXPECT_EQ(Press("1.2.3"), "1.23");
  EXPECT_EQ(Press("1.234567"), "1.2345");
  EXPECT_EQ(Press("1234567890123456"), "12345678901234");
  EXPECT_EQ(Press("123<<"), "1");
  EXPECT_EQ(Press("12+3=<"), "15");  // a result is not typed, so it stays
  desktop::CalculatorModel model;
  Press(model, "12*");
  EXPECT_EQ(model.pending(), "12 ×");
  Press(model, "3=");
  EXPECT_EQ(model.pending(), "");
}

TEST(CalculatorModel, ErrorsShowUntilADigitOrClear) {
  desktop::CalculatorModel model;
  EXPECT_EQ(Press(model, "5/0="), "错误：除数不能为零");
  EXPECT_TRUE(model.failed());
  EXPECT_EQ(Press(model, "+=<"), "错误：除数不能为零");
  EXPECT_EQ(Press(model, "3"), "3");

  EXPECT_EQ(Press("99999999999999*99999999999999="), "错误：超出计算范围");
  EXPECT_EQ(Press("99999999999999*99999999999999*"), "错误：超出计算范围");  // chained
  EXPECT_EQ(Press("5/0=C"), "0");
}

}  // namespace
}  // namespace qj::test
