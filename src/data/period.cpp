#include "data/period.h"

#include <charconv>
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
