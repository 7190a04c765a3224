// What a voucher's cells accept, for the entry screen and for vouchers given
// as data: the summary's length, the attachment count, the digits of an
// amount and the rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "data/money.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

inline constexpr std::size_t kSummaryCharacters = 40;  // Precis
inline constexpr int kMaxBillNumber = 32767;           // BILLNUMBER, a small integer
// A line's debit or credit at or beyond this many whole units takes no further integer digit.
inline constexpr std::int64_t kDigitLimit = 100000000;
inline constexpr const char* kDigitLimitMessage = "凭证金额超过位数限制";  // caption "提示信息"

inline bool OverDigitLimit(Money amount) { return amount.abs() >= Money::fromInteger(kDigitLimit); }

inline std::optional<Refusal> BillNumberRefusal(int count) {
  if (count < 0 || count > kMaxBillNumber) return Refusal{"附件张数必须在0到32767之间"};
  return std::nullopt;
}

// The rate typed into a rate cell: nothing for an empty cell, else the rate
// or why the text is none.
inline std::optional<std::variant<Money, Refusal>> RateOf(const std::string& text) {
  if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
  try {
    const Money rate = Money::parse(text);
    if (rate.isNegative()) return Refusal{"汇率不能为负数"};
    return rate;
  } catch (const MoneyError& error) {
    return Refusal{error.what()};
  }
}

}  // namespace qj::vouchers
