// The detail ledger (明细分类帐) of a run: every subject of a code range over
// a span of months. The run reads its subjects, their openings and all its
// lines once; a subject's rows are built when they are asked for.
#pragma once

#include <cstdint>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"
#include "ledgers/ledger_build.h"
#include "ledgers/ledger_filter.h"
#include "ledgers/ledger_lines.h"
#include "ledgers/ledger_row.h"

namespace qj::ledgers {

class DetailLedgerRun {
 public:
  // Reads the run. The filter is taken as given (ValidateLedgerFilter is the
  // dialog's); an empty range of subjects gives a run of none.
  DetailLedgerRun(data::Connection& db, const base::CodeStructure& structure, LedgerFilter filter);

  [[nodiscard]] const LedgerFilter& filter() const { return filter_; }
  [[nodiscard]] const std::vector<LedgerSubject>& subjects() const { return subjects_; }
  // The rows of the subject at `index`: it and all its sub-accounts' lines.
  [[nodiscard]] std::vector<LedgerRow> rows(std::size_t index) const;

 private:
  LedgerFilter filter_;
  std::vector<LedgerSubject> subjects_;
  std::vector<LedgerOpening> openings_;
  LedgerLines lines_;
  // For each subject, the lines of it and its sub-accounts, in ledger order.
  std::vector<std::vector<const LedgerLine*>> subjectLines_;
};

}  // namespace qj::ledgers
