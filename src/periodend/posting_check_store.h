// What the checks before posting clean up and read: the voucher rows left
// without their other half, and the month's lines with their subjects.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "data/connection.h"
#include "data/money.h"
#include "data/period.h"
#include "periodend/subject_numbers.h"

namespace qj::periodend {

// Lines without a header and headers without lines of the month go, and with
// a removed header its cash-flow allocation; in a transaction of its own.
void DeleteOrphanVoucherRows(data::Connection& db, const Period& month);
// Only the cash-flow allocations of the month whose voucher is gone, in the
// caller's transaction.
void DeleteOrphanAllocations(data::Connection& db, const Period& month);

// A line of the month's vouchers as the checks see it; its texts are valid
// during the visit.
struct CheckedLine {
  std::string_view credId;
  std::int64_t credNo = 0;
  Money debit;
  Money credit;
  bool detailSubject = false;  // its subject exists and is a detail subject
  std::size_t subjectNo = 0;   // its subject's number in the pass's SubjectNumbers
  std::int64_t moneyId = 0;
  Money rawDebit;
  Money rawCredit;
};
// Hands every line of the month's vouchers to `visit`, by voucher and line,
// one at a time, until `visit` returns false; each line's subject is numbered
// in `subjects`. Lines without their voucher are passed over, and so are
// vouchers without lines: the result says whether there were any (among
// those met before `visit` stopped the pass).
bool ForEachMonthLineToCheck(data::Connection& db, const Period& month, SubjectNumbers& subjects,
                             const std::function<bool(const CheckedLine&)>& visit);

}  // namespace qj::periodend
