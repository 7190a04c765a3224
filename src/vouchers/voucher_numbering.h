// Voucher identifiers and numbers within a voucher type, for new vouchers of a month.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/connection.h"
#include "data/period.h"

namespace qj::vouchers {

inline constexpr std::int64_t kMaxVoucherSerial = 999999;

// The identifier of the next voucher of the month: the period followed by the
// six-digit serial after the highest one in use ("201107000001" for an empty
// month). No value when the month's serials are used up.
std::optional<std::string> NextCredId(data::Connection& db, const Period& period);

// The next number within voucher type `typeId` in the month: the highest
// CREDCODE of that type plus one, or 1. When `existingCredId` names a voucher
// of that type, its own number is returned instead.
std::int64_t NextTypeCode(data::Connection& db, const Period& period, std::int64_t typeId,
                          const std::string& existingCredId = {});

}  // namespace qj::vouchers
