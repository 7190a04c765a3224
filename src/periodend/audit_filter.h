// What the audit list shows: one period's vouchers, of one voucher word or
// all, in a range of numbers within the word, audited ones or not; and the
// voucher words the book's type scheme offers for that choice.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/book_state_store.h"
#include "data/period.h"
#include "hostapi/account_books_data.h"
#include "hostapi/host_services.h"

namespace qj::periodend {

inline constexpr int kAuditFunction = 59;         // the audit list: 1 open, 5 audit
inline constexpr int kReverseAuditFunction = 75;  // reverse audit: 5 run
inline constexpr int kOpenAction = 1;
inline constexpr int kRunAction = 5;

inline constexpr int kFirstFilterYear = 1970;
inline constexpr int kLastFilterYear = 2100;
inline constexpr std::int64_t kLastVoucherNumber = 999999;

// An entry of the 凭证字 list: its text and the AccountVoucherType.ID it
// selects; "所有" selects no type and so restricts nothing.
struct VoucherWordEntry {
  std::string name;
  std::optional<std::int64_t> typeId;

  friend bool operator==(const VoucherWordEntry&, const VoucherWordEntry&) = default;
};

// Scheme 1 "记"; 2 "所有" 收 付 转 (IDs 2 to 4); 3 "所有" 现收 现付 银收 银付 转
// (IDs 5 to 9); any other scheme "记".
std::vector<VoucherWordEntry> VoucherWordEntries(int scheme);

struct AuditFilter {
  Period period;
  std::optional<std::int64_t> typeId;  // none: every voucher word
  std::int64_t fromCode = 1;           // CREDCODE bounds, inclusive
  std::int64_t toCode = kLastVoucherNumber;
  bool includeAudited = false;

  // The LIKE pattern of the period's voucher identifiers, "YYYYMM%".
  [[nodiscard]] std::string credIdPattern() const { return period.text() + "%"; }

  friend bool operator==(const AuditFilter&, const AuditFilter&) = default;
};

// The book's current period, the first voucher word, every number, unaudited only.
AuditFilter DefaultAuditFilter(const AccountBooksData& book);

// Reads MUSTCHECK and SAMEUSER from the book and hands them to the host's
// book record; returns them.
base::AuditFlags LoadAuditOptions(HostServices& host);

}  // namespace qj::periodend
