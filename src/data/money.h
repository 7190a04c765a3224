// Exact money amounts: a signed count of ten-thousandths of a currency unit.
#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qj {

// Raised for malformed amount text and for arithmetic whose result would not fit.
// The message is Chinese and meant for the user.
class MoneyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Money {
 public:
  static constexpr int kDecimals = 4;
  static constexpr std::int64_t kScale = 10000;

  constexpr Money() = default;

  // A value of `units` ten-thousandths (the stored form).
  static constexpr Money fromUnits(std::int64_t units) { return Money(units); }
  // A whole number of currency units; throws MoneyError when out of range.
  static Money fromInteger(std::int64_t whole);
  // Decimal text such as "-1234.5", "1,234.56" or "0.0001"; at most four
  // decimals; thousands separators only between groups of three digits.
  // Locale-independent; throws MoneyError with a Chinese message on bad text.
  static Money parse(std::string_view text);

  [[nodiscard]] constexpr std::int64_t units() const { return units_; }
  [[nodiscard]] constexpr bool isZero() const { return units_ == 0; }
  [[nodiscard]] constexpr bool isNegative() const { return units_ < 0; }

  // Plain decimal text with exactly `decimals` places (0..4), rounded half away
  // from zero when fewer than four are asked for. No grouping separators.
  [[nodiscard]] std::string toString(int decimals = kDecimals) const;
  // The form amounts take on screen and on paper: thousands separators and,
  // unless told otherwise, two decimals ("-11,300.00").
  [[nodiscard]] std::string grouped(int decimals = 2) const;

  // Checked arithmetic: every operation that would overflow throws MoneyError.
  Money operator+(Money other) const;
  Money operator-(Money other) const;
  Money operator-() const;
  Money& operator+=(Money other) { return *this = *this + other; }
  Money& operator-=(Money other) { return *this = *this - other; }
  [[nodiscard]] Money abs() const { return units_ < 0 ? -*this : *this; }

  // Amount times a factor such as an exchange rate, through a 128-bit
  // intermediate, rounded half away from zero to four decimals.
  [[nodiscard]] Money times(Money factor) const;
  [[nodiscard]] Money times(std::int64_t factor) const;
  // The product rounded once, half away from zero, straight to `decimals`
  // places (0..4): a local amount from a foreign one and its rate, to fen,
  // without first rounding to four places.
  [[nodiscard]] Money times(Money factor, int decimals) const;
  // Amount divided by a factor, rounded half away from zero; throws on zero.
  [[nodiscard]] Money dividedBy(Money divisor) const;
  // Rounds half away from zero to `decimals` places (0..4).
  [[nodiscard]] Money roundedTo(int decimals) const;

  friend constexpr auto operator<=>(Money, Money) = default;
  friend constexpr bool operator==(Money, Money) = default;

 private:
  constexpr explicit Money(std::int64_t units) : units_(units) {}
  std::int64_t units_ = 0;
};

// Rounds an amount to whole fen (two decimals), half away from zero.
// Applied wherever an amount becomes a stored or compared ledger figure.
Money TruncateCurrency(Money amount);
// Whether the amount has at most two decimals (whole fen), the most an entered
// amount may have.
inline bool IsWholeFen(Money amount) { return amount.roundedTo(2) == amount; }
// An amount as a user enters it, on every input path: the text Money::parse
// reads, with at most two decimals. A third decimal is refused, never
// rounded away; throws MoneyError with a Chinese message.
Money ParseEnteredAmount(std::string_view text);

}  // namespace qj
