// What the period end's machine-made vouchers share: the maker "机制", the
// voucher word of the book's scheme, read-only lines, and the posting that
// may follow them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "data/date.h"
#include "data/money.h"
#include "hostapi/refusal.h"
#include "vouchers/voucher_header.h"
#include "vouchers/voucher_line.h"

namespace qj::periodend {

inline constexpr const char* kMachineMaker = "机制";

// The voucher word of machine-made vouchers for the book's word scheme: 1 记,
// 4 (the 收付转 scheme's 转) or 9 (the five-word scheme's 转).
std::int64_t MachineVoucherType(int scheme);

// An unaudited, unposted header of source `kind`, dated `date`, by "机制".
vouchers::VoucherHeader MachineVoucherHeader(std::int64_t typeId, const Date& date, int kind);

// A read-only line.
vouchers::VoucherLine MachineLine(const char* summary, const std::string& subject, int moneyId, Money rate);

// Runs the posting that follows vouchers already made; its failure, told as
// `what` made but not posted. Nothing when the posting went through.
std::optional<Refusal> PostMadeVouchers(const std::string& what, const std::function<void()>& post);

}  // namespace qj::periodend
