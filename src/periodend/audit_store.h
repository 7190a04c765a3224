// The audit marks of vouchers (CHECKFLAG, BILLCHECK and the marking time) as
// batch audit and reverse audit set and clear them.
#pragma once

#include <cstdint>
#include <string>

#include "data/connection.h"
#include "periodend/audit_filter.h"

namespace qj::periodend {

// Inside the caller's transaction: audits, stamps and marks every voucher of
// the filter that is unaudited (a missing flag counts as unaudited) or, with
// includeAudited, audited already; without `makerMayAudit` the user's own
// vouchers stay as they are. `now` is the marker's time, "YYYY-MM-DD
// HH:MM:SS"; the period's other vouchers lose the marker of an earlier batch.
// Returns the vouchers audited.
std::int64_t StampVouchers(data::Connection& db, const AuditFilter& filter, const std::string& user, bool makerMayAudit,
                           const std::string& now);

// Whether a voucher between the identifiers is audited and posted.
bool AnyPostedAudited(data::Connection& db, const std::string& firstCredId, const std::string& lastCredId);
// Clears the audit of the unposted audited vouchers between the identifiers
// (a voucher that never had a posting flag written is unposted); the count.
std::int64_t UnstampUnposted(data::Connection& db, const std::string& firstCredId, const std::string& lastCredId);

}  // namespace qj::periodend
