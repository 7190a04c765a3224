// Reading the voucher identifiers and the numbers within a voucher type in use, to
// hand out those of new vouchers of a month.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/connection.h"
#include "data/period.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

inline constexpr std::int64_t kMaxVoucherSerial = 999999;
// Shown, caption "出错信息", when a month's serials are used up.
inline constexpr const char* kMonthFullMessage = "本期间凭证数已达到一百万，\r\n超出本系统最大接受能力";

inline Refusal MonthFullRefusal() { return {kMonthFullMessage, caption::Error, msgbox::IconWarning}; }

// The identifier of the next voucher of the month: the period followed by the
// six-digit serial after the highest one in use ("201107000001" for an empty
// month; serials of deleted vouchers are not handed out again). No value when
// the month's serials are used up.
std::optional<std::string> NextCredId(data::Connection& db, const Period& period);

// The number within voucher type `typeId` for a voucher of `period`: the
// highest CREDCODE of that type in the month plus one, or 1.
// `storedCredId` is the identifier the voucher is stored under ("" for a voucher
// not stored yet), not the one it shows after a change of date or number, which
// may be another voucher's. A stored voucher of that type whose stored month is `period`
// keeps its own number; one moved to another month, or changed to another type,
// gets the next number there.
std::int64_t NextTypeCode(data::Connection& db, const Period& period, std::int64_t typeId,
                          const std::string& storedCredId = {});

// Whether a voucher is stored under `credId`.
bool CredIdExists(data::Connection& db, const std::string& credId);

}  // namespace qj::vouchers
