// 成批审核: every voucher the audit list's filter chooses is audited by the
// user at once, under the save lock, in one transaction; the list then shows
// the vouchers this run audited.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/connection.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "periodend/audit_filter.h"
#include "periodend/audit_list.h"

namespace qj::periodend {

inline constexpr const char* kBatchAuditQuestion = "成批审核序时簿中的凭证吗？";

// Shown under the product caption when another user is saving a voucher.
Refusal BatchAuditBusyRefusal();
inline constexpr const char* kClosedMonthAudit = "该月已经结帐，不能再审核凭证";

enum class BatchAuditResult {
  NothingToDo,  // the list is empty or the privilege is missing
  Refused,      // the save lock is busy; its message was shown
  Declined,     // the user answered No
  Failed,       // a database error; everything rolled back and reported
  Done,
};

struct BatchAuditOutcome {
  BatchAuditResult result = BatchAuditResult::NothingToDo;
  std::int64_t audited = 0;
  std::vector<AuditListRow> stamped;  // when Done: the lines of the vouchers this run audited
};

// The 成批审核 button over a list showing `filter` (`listEmpty` when it shows
// no row): privilege 59/5, the save lock CREDWLOCK, the question, the audit
// options loaded afresh, one transaction; the lock is released on every path.
BatchAuditOutcome BatchAudit(HostServices& host, const AuditFilter& filter, bool listEmpty);

}  // namespace qj::periodend
