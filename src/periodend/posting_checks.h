// The checks the posting screen runs before it books a period.
#pragma once

#include <optional>

#include "data/connection.h"
#include "data/period.h"
#include "hostapi/refusal.h"
#include "periodend/posting_store.h"

namespace qj::periodend {

// Removes the period's lines without a voucher and vouchers without lines
// (other months are left to their own posting), then checks every
// voucher of the period, posted or not, in identifier order: numbers without a
// gap (when `stopOnGap`), detail subjects only, no line with both a debit and a
// credit amount, and equal debit and credit totals. The first fault found is
// returned as a refusal carrying its caption; nothing when all pass.
std::optional<Refusal> CheckVouchersBeforePosting(data::Connection& db, const Period& current, bool stopOnGap);

// What the checks found in one pass over the month.
struct MonthCheck {
  std::optional<Refusal> refusal;  // the first fault, when there is one
  bool orphansSeen = false;        // the pass met lines without a voucher or vouchers without lines
};
// The same checks without the clean-up, in one pass over the month's lines,
// which passes over the rows the clean-up would remove; with `claimed`, the
// lines are handed to it on the way (it sums those of the vouchers claimed for
// posting), so that posting reads the lines only once.
MonthCheck CheckMonthVouchers(data::Connection& db, const Period& current, bool stopOnGap, ClaimedSumsBuilder* claimed);

}  // namespace qj::periodend
