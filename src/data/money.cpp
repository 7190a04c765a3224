#include "data/money.h"

#include <limits>

namespace qj {
namespace {

__extension__ typedef __int128 Wide;  // 128-bit intermediate for products

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

[[noreturn]] void overflow() { throw MoneyError("金额超出允许范围，计算无法进行"); }

Money checked(Wide units) {
  if (units > kMax || units < kMin) overflow();
  return Money::fromUnits(static_cast<std::int64_t>(units));
}

// Divides with rounding half away from zero.
Wide divideRounded(Wide numerator, Wide denominator) {
  Wide quotient = numerator / denominator;
  Wide remainder = numerator % denominator;
  if (remainder < 0) remainder = -remainder;
  Wide absDen = denominator < 0 ? -denominator : denominator;
  if (remainder * 2 >= absDen) quotient += ((numerator < 0) != (denominator < 0)) ? -1 : 1;
  return quotient;
}

constexpr std::int64_t pow10(int n) {
  std::int64_t r = 1;
  while (n-- > 0) r *= 10;
  return r;
}

}  // namespace

Money Money::fromInteger(std::int64_t whole) { return checked(static_cast<Wide>(whole) * kScale); }

Money Money::parse(std::string_view text) {
  const std::string shown(text);
  auto bad = [&]() -> MoneyError { return MoneyError("金额格式不正确：“" + shown + "”"); };
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) throw bad();
  Wide units = 0;
  int digits = 0;
  int decimals = -1;  // -1 while still in the integer part
  // Thousands separators stand only between groups of three integer digits:
  // "1,234,567.5", never "1,5" or "12,34".
  bool grouped = false;
  int groupDigits = 0;  // integer digits since the last separator
  const auto groupEnds = [&] { return !grouped || groupDigits == 3; };
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      if (decimals >= kDecimals) throw MoneyError("金额最多只能有四位小数：“" + shown + "”");
      units = units * 10 + (c - '0');
      if (units > static_cast<Wide>(kMax) + 1) overflow();
      ++digits;
      if (decimals >= 0)
        ++decimals;
      else
        ++groupDigits;
    } else if (c == '.' && decimals < 0) {
      if (!groupEnds()) throw bad();
      decimals = 0;
    } else if (c == ',' && decimals < 0 && groupDigits > 0 && (grouped ? groupDigits == 3 : groupDigits <= 3)) {
      grouped = true;
      groupDigits = 0;
    } else {
      throw bad();
    }
  }
  if (digits == 0 || (decimals < 0 && !groupEnds())) throw bad();
  units *= pow10(kDecimals - (decimals < 0 ? 0 : decimals));
  return checked(negative ? -units : units);
}

std::string Money::toString(int decimals) const {
  if (decimals < 0) decimals = 0;
  if (decimals > kDecimals) decimals = kDecimals;
  const Money rounded = roundedTo(decimals);
  const bool negative = rounded.units_ < 0;
  // Work in unsigned space so that the most negative value prints too.
  std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(rounded.units_) : static_cast<std::uint64_t>(rounded.units_);
  std::string whole = std::to_string(magnitude / kScale);
  std::string fraction = std::to_string(magnitude % kScale);
  fraction.insert(0, static_cast<std::size_t>(kDecimals) - fraction.size(), '0');
  std::string out;
  if (negative) out.push_back('-');
  out.append(whole);
  if (decimals > 0) {
    out.push_back('.');
    out.append(fraction, 0, static_cast<std::size_t>(decimals));
  }
  return out;
}

std::string Money::grouped(int decimals) const {
  std::string text = toString(decimals);
  const std::size_t first = text.front() == '-' ? 1 : 0;
  std::size_t point = text.find('.');
  if (point == std::string::npos) point = text.size();
  for (std::size_t at = point; at > first + 3; at -= 3) text.insert(at - 3, 1, ',');
  return text;
}

Money Money::operator+(Money other) const { return checked(static_cast<Wide>(units_) + other.units_); }
Money Money::operator-(Money other) const { return checked(static_cast<Wide>(units_) - other.units_); }
Money Money::operator-() const { return checked(-static_cast<Wide>(units_)); }

Money Money::times(Money factor) const {
  return checked(divideRounded(static_cast<Wide>(units_) * factor.units_, kScale));
}

Money Money::times(Money factor, int decimals) const {
  if (decimals < 0) decimals = 0;
  if (decimals > kDecimals) decimals = kDecimals;
  const std::int64_t step = pow10(kDecimals - decimals);
  return checked(divideRounded(static_cast<Wide>(units_) * factor.units_, static_cast<Wide>(kScale) * step) * step);
}

Money Money::times(std::int64_t factor) const { return checked(static_cast<Wide>(units_) * factor); }

Money Money::dividedBy(Money divisor) const {
  if (divisor.units_ == 0) throw MoneyError("不能以零作除数");
  return checked(divideRounded(static_cast<Wide>(units_) * kScale, divisor.units_));
}

Money Money::roundedTo(int decimals) const {
  if (decimals >= kDecimals) return *this;
  if (decimals < 0) decimals = 0;
  const std::int64_t step = pow10(kDecimals - decimals);
  return checked(divideRounded(units_, step) * step);
}

Money TruncateCurrency(Money amount) { return amount.roundedTo(2); }

Money ParseEnteredAmount(std::string_view text) {
  const Money amount = Money::parse(text);
  if (!IsWholeFen(amount)) throw MoneyError("金额最多只能有两位小数：" + std::string(text));
  return amount;
}

}  // namespace qj
