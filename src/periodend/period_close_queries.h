// What closing and reopening a month read from the vouchers and the
// fixed-asset module's records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/date.h"
#include "data/money.h"
#include "data/period.h"

namespace qj::periodend {

struct SubjectLineSum {
  std::string subject;
  Money debit;
  Money credit;
};

// The month's lines on profit-and-loss subjects (codes beginning with
// `classDigit`) of the vouchers that also have a line on the current-year-profit
// subject — the carry-forward vouchers — summed per subject.
std::vector<SubjectLineSum> CarriedProfitLossSums(data::Connection& db, const Period& month,
                                                  const std::string& profitSubject, int classDigit);

// How many fixed assets were disposed of on or after the day.
std::int64_t CountDisposalsFrom(data::Connection& db, const Date& day);

}  // namespace qj::periodend
