// What the checks before posting clean up and read: the voucher rows left
// without their other half, and the month's lines with their subjects.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "data/connection.h"
#include "data/money.h"
#include "data/period.h"

namespace qj::periodend {

// Lines without a header and headers without lines of the month go, and with
// a removed header its cash-flow allocation; in a transaction of its own.
void DeleteOrphanVoucherRows(data::Connection& db, const Period& month);

// A line of the month's vouchers as the checks see it.
struct CheckedLine {
  std::string credId;
  std::int64_t credNo = 0;
  Money debit;
  Money credit;
  bool detailSubject = false;  // its subject exists and is a detail subject
  std::string subject;
  std::int64_t moneyId = 0;
  Money rawDebit;
  Money rawCredit;
};
// Hands every line of the month to `visit`, by voucher and line, one at a
// time, until `visit` returns false.
void ForEachMonthLineToCheck(data::Connection& db, const Period& month,
                             const std::function<bool(const CheckedLine&)>& visit);

}  // namespace qj::periodend
