// The checks a voucher on the entry screen must pass before it is stored,
// in their order, and the check of a line the cursor leaves.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "data/period.h"
#include "hostapi/refusal.h"
#include "vouchers/chart_lookup.h"
#include "vouchers/line_amounts.h"
#include "vouchers/voucher_header.h"
#include "vouchers/voucher_line.h"

namespace qj::vouchers {

// A failed check: its message, and the line and cell it points the cursor to.
struct CheckFailure {
  Refusal refusal;
  std::optional<std::size_t> line;
  Column column = Column::Summary;
};

// A line being left: a detail subject, and an amount in the debit or the credit.
std::optional<CheckFailure> LineCheck(const VoucherLine& line, const ChartLookup& chart);

// The audited and posted flags of the stored voucher (both false for a new one).
struct StoredFlags {
  bool checked = false;
  bool posted = false;
};

struct SaveCheckInput {
  const VoucherHeader& header;
  const std::vector<VoucherLine>& lines;
  std::size_t currentLine = 0;
  Totals totals;
  Period currentPeriod;  // the book's oldest open period
  Period startPeriod;    // the book's first month
  bool auditMode = false;
  StoredFlags stored;
};

// The first check the voucher fails: a month before the book's start or
// closed, audited (outside audit
// mode), posted, sequence number range, first summary, balance, zero total,
// then the lines in order: the current one unless it is blank, and every
// other line that holds an amount or a subject.
std::optional<CheckFailure> FirstFailedSaveCheck(const SaveCheckInput& input, const ChartLookup& chart);

}  // namespace qj::vouchers
