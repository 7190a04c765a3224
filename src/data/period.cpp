#include "data/period.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace qj {

std::string ConvYearMon(int year, int month) {
  return std::to_string(year) + (month >= 1 && month <= 9 ? "0" : "") + std::to_string(month);
}

std::string IntToStr(std::int64_t value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  return text;
}

Date GetLastDate(int year, int month) {
  if (month == 12) return Date(year, 12, 31);
  return Date(year, month + 1, 1).addDays(-1);
}

int GetLastDay(int year, int month) { return GetLastDate(year, month).day(); }

double TruncateFloat(double x) {
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
  if (ec != std::errc()) return x;
  const std::string s(buffer.data(), end);
  if (s.find_first_of("eEn") != std::string::npos) return x;  // exponent, inf or nan
  const std::size_t dot = s.find('.');
  if (dot == std::string::npos || dot + 3 >= s.size()) return x;  // at most two decimals
  // Whole cents of the text cut after two decimals (the sign stays with the
  // text, so "-0.34" gives -34), then one cent away from zero when the third
  // decimal is 5 or more.
  std::string cents = s.substr(0, dot) + s.substr(dot + 1, 2);
  long long value = std::strtoll(cents.c_str(), nullptr, 10);
  const bool negative = x < 0;
  if (s[dot + 3] >= '5') value += negative ? -1 : 1;
  return static_cast<double>(value) / 100.0;
}

std::optional<Period> Period::parse(std::string_view yearMon) {
  if (yearMon.size() != 6) return std::nullopt;
  int year = 0;
  int month = 0;
  auto r1 = std::from_chars(yearMon.data(), yearMon.data() + 4, year);
  auto r2 = std::from_chars(yearMon.data() + 4, yearMon.data() + 6, month);
  if (r1.ec != std::errc() || r1.ptr != yearMon.data() + 4 || r2.ec != std::errc() || r2.ptr != yearMon.data() + 6)
    return std::nullopt;
  Period p{year, month};
  if (!p.isValid()) return std::nullopt;
  return p;
}

VoucherIdRange MonthVoucherRange(const Period& period) {
  const std::string ym = period.text();
  return {ym + "000000", ym + "999999"};
}

}  // namespace qj
