// The digit buffer behind each amount cell of a voucher line: ten integer
// positions, two decimals and a sign, filled calculator-style at a cursor.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "data/money.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

class AmountBuffer {
 public:
  static constexpr int kIntegerPositions = 10;
  static constexpr int kDecimalPositions = 2;
  // Cursor positions: 0..9 the integer digits (0 the most significant, 9 the
  // units), 10 and 11 the two decimals.
  static constexpr int kUnits = kIntegerPositions - 1;
  static constexpr int kFirstDecimal = kIntegerPositions;
  static constexpr int kSecondDecimal = kIntegerPositions + 1;
  static constexpr int kDigitPositions = kIntegerPositions + kDecimalPositions;

  static constexpr const char* kOverflowMessage = "金额数据超出系统所能接受的范围";  // caption "出错信息"

  AmountBuffer() = default;

  // The buffer showing `value` with two decimals (rounded half away from
  // zero); zero gives an empty buffer. More than 12 digits: the overflow
  // refusal.
  static std::optional<AmountBuffer> fromValue(Money value);
  static Refusal overflowRefusal() { return Refusal{kOverflowMessage, caption::Error, msgbox::IconError}; }

  // The digit at a position ('0'..'9'), or ' ' for an empty position.
  [[nodiscard]] char digitAt(int position) const { return digits_.at(static_cast<std::size_t>(position)); }
  [[nodiscard]] bool negative() const { return negative_; }
  [[nodiscard]] int cursor() const { return cursor_; }
  // No digit at all (the sign alone does not count).
  [[nodiscard]] bool empty() const;
  [[nodiscard]] bool hasNonZeroDigit() const;
  // All ten integer positions hold a digit.
  [[nodiscard]] bool integerFull() const { return digits_[0] != ' '; }
  // The digits read with two decimals, negated when the sign is set.
  [[nodiscard]] Money value() const;
  // "-1234.50", "0.05", "" for an empty buffer: the text a cell shows.
  [[nodiscard]] std::string text() const;

  // Calculator-style entry. A digit at an integer position enters there and
  // pushes the digits before it one place left (false, unchanged, when the
  // ten integer positions are full); at a decimal it fills that decimal and
  // moves on to the second one.
  bool typeDigit(int digit);
  // ".": the cursor goes to the first decimal.
  void pointToDecimals() { cursor_ = kFirstDecimal; }
  // "-": toggles the sign.
  void toggleSign() { negative_ = !negative_; }
  // Backspace: at an integer position removes that digit (the digits before
  // it move one place right); on a decimal clears it and steps back one place.
  void backspace();
  // Delete: removes the digit under the cursor; the cursor stays.
  void deleteDigit();
  // Left and Right: one position, never left of the most significant digit
  // and never past the second decimal.
  void moveLeft();
  void moveRight();

  friend bool operator==(const AmountBuffer&, const AmountBuffer&) = default;

 private:
  void removeIntegerDigit(int position);
  [[nodiscard]] int firstIntegerDigit() const;

  std::array<char, kDigitPositions> digits_ = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  bool negative_ = false;
  int cursor_ = kUnits;
};

}  // namespace qj::vouchers
