#include "data/date.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace qj {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) throw std::invalid_argument("month out of range");
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

Date::Date(int year, int month, int day) : year_(year), month_(month), day_(day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    throw std::invalid_argument("no such date");
}

std::optional<Date> Date::parse(std::string_view text) {
  if (text.size() < 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  if (text.size() > 10 && text[10] != ' ' && text[10] != 'T') return std::nullopt;
  auto number = [&](std::size_t from, std::size_t length, int& out) {
    const char* first = text.data() + from;
    auto [end, ec] = std::from_chars(first, first + length, out);
    return ec == std::errc() && end == first + length;
  };
  int year = 0;
  int month = 0;
  int day = 0;
  if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day)) return std::nullopt;
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return Date(year, month, day);
}

// Howard Hinnant's days-from-civil and civil-from-days algorithms.
long Date::dayNumber() const {
  const int y = year_ - (month_ <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153L * (month_ + (month_ > 2 ? -3 : 9)) + 2) / 5 + day_ - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date Date::fromDayNumber(long dayNumber) {
  const long z = dayNumber + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return Date(year, month, day);
}

Date Date::today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string Date::toString() const {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year_, month_, day_);
  return buffer;
}

}  // namespace qj
