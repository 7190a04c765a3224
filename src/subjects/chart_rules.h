// What the book's record says about its chart: the code structure and the
// subject-rule flag, with the protection bits that flag selects.
#pragma once

#include <cstdint>

#include "base/code_structure.h"
#include "hostapi/account_books_data.h"

namespace qj::subjects {

struct ChartRules {
  base::CodeStructure structure;
  bool subjectRuleFlag = true;

  static ChartRules Of(const AccountBooksData& book) {
    return {base::CodeStructure(book.SubjectLevelLen), book.SubjectRuleFlag};
  }

  // The ATTRFLAG bit that forbids deleting a subject, and the one that forbids sub-accounts.
  [[nodiscard]] int noDeleteBit() const { return subjectRuleFlag ? 2 : 32; }
  [[nodiscard]] int noSubAccountBit() const { return subjectRuleFlag ? 4 : 64; }
};

// The standard codes (SPECIALEVELCODE) of the customer and supplier control
// accounts: 113 and 204 take their sub-accounts from CLIENT, 115 and 203 from VENDOR.
inline bool IsControlAccountCode(std::int64_t specialLevelCode) {
  return specialLevelCode == 113 || specialLevelCode == 115 || specialLevelCode == 203 || specialLevelCode == 204;
}

// A customer or supplier sub-account: RELEVANTID is the control account's
// standard code times 100000 plus the customer or supplier.
inline constexpr std::int64_t kRelevantBase = 100000;
inline bool IsCounterpartyAccount(std::int64_t relevantId) {
  return relevantId > 0 && IsControlAccountCode(relevantId / kRelevantBase);
}

}  // namespace qj::subjects
