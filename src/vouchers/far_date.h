// A voucher date more than a year after the current period is most often a
// typing slip (2021 for 2012); such a date is taken only when the user
// confirms it on screen or asks for it on the command line.
#pragma once

#include <string>

#include "data/date.h"
#include "data/period.h"

namespace qj::vouchers {

// Whether the date's month lies more than twelve months after `current`.
inline bool IsFarAhead(const Date& date, const Period& current) {
  const Period month = Period::ofDate(date);
  return month.year * 12 + month.month > current.year * 12 + current.month + 12;
}

inline std::string FarAheadText(const Date& date, const Period& current) {
  return "凭证日期 " + date.toString() + " 比当前会计期间（" + std::to_string(current.year) + "年" +
         std::to_string(current.month) + "月）晚一年以上";
}

// The voucher screen's question.
inline std::string FarAheadQuestion(const Date& date, const Period& current) {
  return FarAheadText(date, current) + "，是否确实要使用这个日期？";
}

// The refusal of a voucher given as data (command line, import).
inline std::string FarAheadRefusalText(const Date& date, const Period& current) {
  return FarAheadText(date, current) + "；确实要使用这个日期，请加 --far-date";
}

}  // namespace qj::vouchers
