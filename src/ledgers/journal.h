// The cash journal (现金日记帐) and the bank journal (银行存款日记帐): one cash
// or bank subject's ledger, each line naming its counterpart subject.
#pragma once

#include <string>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"
#include "hostapi/account_books_data.h"
#include "ledgers/ledger_filter.h"
#include "ledgers/ledger_lines.h"
#include "ledgers/ledger_row.h"

namespace qj::ledgers {

inline constexpr const char* kCashJournalTitle = "现金日记帐";
inline constexpr const char* kBankJournalTitle = "银行存款日记帐";

// The subjects a journal may be kept for: the book's cash subject, its bank
// subject and their sub-accounts, in code order.
std::vector<LedgerSubject> JournalSubjects(data::Connection& db, const ReservedSubjects& reserved);

// "现金日记帐" when the subject's first-level code is the cash subject's,
// "银行存款日记帐" otherwise.
std::string JournalTitle(const std::string& code, const base::CodeStructure& structure,
                         const ReservedSubjects& reserved);

// Whether a subject's first-level code is the book's cash or bank subject:
// the general ledger opens a journal for such a subject, a detail ledger for
// any other.
bool IsCashOrBankSubject(const std::string& code, const base::CodeStructure& structure,
                         const ReservedSubjects& reserved);

class Journal {
 public:
  // Reads and builds the subject's journal over the filter's months, currency
  // and posting choice (its code range is not used).
  Journal(data::Connection& db, const LedgerFilter& filter, LedgerSubject subject);
  // Its rows view its own subject and lines.
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  [[nodiscard]] const LedgerSubject& subject() const { return subject_; }
  [[nodiscard]] const std::vector<LedgerRow>& rows() const { return rows_; }

 private:
  LedgerSubject subject_;
  LedgerLines lines_;
  std::vector<LedgerRow> rows_;
};

}  // namespace qj::ledgers
