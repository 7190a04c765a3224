// 凭证反审核: the audit of a range of one period's vouchers is taken back,
// under the save lock and in one transaction, unless a voucher in the range
// is posted already.
#pragma once

#include <cstdint>
#include <optional>

#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "periodend/audit_filter.h"

namespace qj::periodend {

inline constexpr const char* kReverseAuditCaption = "凭证反审核";
inline constexpr const char* kReverseAuditScreenName = "VoucherUnCheck_Frm";

// The dialog's fields: a period and a range of sequence numbers (the last
// six characters of CREDID), each inclusive.
struct ReverseAuditRange {
  int year = kFirstFilterYear;
  int month = 1;
  std::int64_t fromNo = 1;
  std::int64_t toNo = kLastVoucherNumber;

  friend bool operator==(const ReverseAuditRange&, const ReverseAuditRange&) = default;
};

// The book's current period and every number.
ReverseAuditRange DefaultReverseAuditRange(const AccountBooksData& book);
// What is wrong with a range typed outside the dialog's bounds (year
// 1970-2100, month 1-12, numbers 1-999999); nothing when it is fine.
std::optional<Refusal> ReverseAuditRangeRefusal(const ReverseAuditRange& range);

// Shown under the product caption when another user is saving a voucher.
Refusal ReverseAuditBusyRefusal();
// Shown with caption "询问" when a voucher in the range is posted.
Refusal PostedInRangeRefusal();

enum class ReverseAuditResult {
  Refused,  // the save lock was busy or a voucher in range is posted; its message was shown
  Failed,   // a database error; everything rolled back and reported
  Done,
};

struct ReverseAuditOutcome {
  ReverseAuditResult result = ReverseAuditResult::Refused;
  std::int64_t unaudited = 0;  // vouchers whose audit was taken back
};

// The dialog's OK (the dialog itself needs privilege 75/5): CREDWLOCK, then
// in one transaction either the refusal for a posted voucher in range (and
// nothing changes) or every audited, unposted voucher in range made
// unaudited, whoever made or audited it. The lock is released on every path.
ReverseAuditOutcome ReverseAudit(HostServices& host, const ReverseAuditRange& range);

}  // namespace qj::periodend
