// Accounting periods (calendar months) and the period helpers every subsystem shares.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/date.h"

namespace qj {

// The six-character period text: the year followed by the two-digit month ("201103").
std::string ConvYearMon(int year, int month);
// The decimal text of `value`, padded with leading "0" to at least `width` characters.
std::string IntToStr(std::int64_t value, int width);
// The last day of a month.
Date GetLastDate(int year, int month);
// The number of a month's last day (28 to 31).
int GetLastDay(int year, int month);

struct Period {
  int year = 0;
  int month = 0;

  static Period ofDate(const Date& date) { return {date.year(), date.month()}; }
  // Accepts exactly six digits with a month from 01 to 12.
  static std::optional<Period> parse(std::string_view yearMon);

  [[nodiscard]] bool isValid() const { return year >= 1 && year <= 9999 && month >= 1 && month <= 12; }
  [[nodiscard]] std::string text() const { return ConvYearMon(year, month); }
  [[nodiscard]] Period next() const { return month == 12 ? Period{year + 1, 1} : Period{year, month + 1}; }
  [[nodiscard]] Period previous() const { return month == 1 ? Period{year - 1, 12} : Period{year, month - 1}; }
  [[nodiscard]] Date firstDay() const { return Date(year, month, 1); }
  [[nodiscard]] Date lastDay() const { return GetLastDate(year, month); }

  friend auto operator<=>(const Period&, const Period&) = default;
};

// The inclusive bounds of a month's voucher identifiers, for
// "CREDID BETWEEN :first AND :last": serials 000000 to 999999, so the last
// serial the numbering can hand out is inside the range.
struct VoucherIdRange {
  std::string first;
  std::string last;
};
VoucherIdRange MonthVoucherRange(const Period& period);

}  // namespace qj
