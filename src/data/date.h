// Calendar dates without a time of day, independent of the process locale and time zone.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace qj {

class Date {
 public:
  constexpr Date() = default;
  // Throws std::invalid_argument for a day that does not exist.
  Date(int year, int month, int day);

  // "YYYY-MM-DD", optionally followed by a time part (" HH:MM:SS" or "THH:MM:SS"), which is ignored.
  static std::optional<Date> parse(std::string_view text);
  // Days since 1970-01-01 (negative before it).
  static Date fromDayNumber(long dayNumber);
  static Date today();

  [[nodiscard]] int year() const { return year_; }
  [[nodiscard]] int month() const { return month_; }
  [[nodiscard]] int day() const { return day_; }
  [[nodiscard]] long dayNumber() const;
  [[nodiscard]] Date addDays(long days) const { return fromDayNumber(dayNumber() + days); }
  // "YYYY-MM-DD".
  [[nodiscard]] std::string toString() const;

  friend auto operator<=>(const Date&, const Date&) = default;

 private:
  int year_ = 1970;
  int month_ = 1;
  int day_ = 1;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

}  // namespace qj
