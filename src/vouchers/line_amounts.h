// The amount arithmetic of a voucher line: each function computes the whole
// new line from the old one and gives it back only when every amount fits
// its buffer, so a refused operation leaves nothing half changed.
#pragma once

#include <variant>

#include "data/money.h"
#include "hostapi/refusal.h"
#include "vouchers/currencies.h"
#include "vouchers/voucher_line.h"

namespace qj::vouchers {

// The new line, or why the operation cannot be done.
using LineResult = std::variant<VoucherLine, Refusal>;

// After an edit of one buffer: the amounts follow the buffers. An edit of
// the foreign buffer sets the local amount of the foreign side (the credit
// unless the side is debit) to the foreign amount times the rate, rounded
// to fen, and clears the other side.
LineResult RecomputeFromBuffer(const VoucherLine& line, AmountColumn edited);

// 找平: places the amount that balances the other lines on this one, given
// the voucher's totals with this line in them. Read-only and audit refusals
// are the caller's; this only does the arithmetic.
LineResult BalanceAgainstOthers(const VoucherLine& line, Money debitTotal, Money creditTotal);

// 切换: moves the line to the other side.
LineResult SwapSides(const VoucherLine& line);

// A newly chosen currency (0 local): its name and rate; every amount cleared.
VoucherLine WithCurrency(const VoucherLine& line, const Currency* currency);

// A new rate: the local amount is recomputed from the foreign amount.
LineResult WithRate(const VoucherLine& line, Money rate);

// Debit and credit totals, each rounded to fen.
struct Totals {
  Money debit;
  Money credit;
};
Totals LineTotals(const std::vector<VoucherLine>& lines);

}  // namespace qj::vouchers
