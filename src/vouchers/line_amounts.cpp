#include "vouchers/line_amounts.h"

namespace qj::vouchers {

namespace {

// Puts a value into a buffer, or says that it does not fit.
bool fill(AmountBuffer& buffer, Money value) {
  const auto built = AmountBuffer::fromValue(value);
  if (!built) return false;
  buffer = *built;
  return true;
}

// The line's local amount on its foreign side, recomputed from the foreign
// amount and the rate; the other side is cleared.
LineResult placeForeignAmount(VoucherLine line) {
  if (line.foreignSide == ForeignSide::None) line.foreignSide = ForeignSide::Credit;
  const Money local = line.foreignAmount.times(line.rate, 2);
  const bool debitSide = line.foreignSide == ForeignSide::Debit;
  line.debit = debitSide ? local : Money();
  line.credit = debitSide ? Money() : local;
  if (!fill(line.debitBuffer, line.debit) || !fill(line.creditBuffer, line.credit))
    return AmountBuffer::overflowRefusal();
  return line;
}

template <class Compute>
LineResult guarded(Compute compute) {
  try {
    return compute();
  } catch (const MoneyError& error) {
    return Refusal{error.what(), caption::Error, msgbox::IconError};
  }
}

}  // namespace

LineResult RecomputeFromBuffer(const VoucherLine& line, AmountColumn edited) {
  return guarded([&]() -> LineResult {
    VoucherLine next = line;
    switch (edited) {
      case AmountColumn::Debit:
        next.debit = next.debitBuffer.value();
        return next;
      case AmountColumn::Credit:
        next.credit = next.creditBuffer.value();
        return next;
      case AmountColumn::Foreign:
        next.foreignAmount = next.foreignBuffer.value();
        return placeForeignAmount(std::move(next));
    }
    return next;
  });
}

LineResult BalanceAgainstOthers(const VoucherLine& line, Money debitTotal, Money creditTotal) {
  return guarded([&]() -> LineResult {
    const Money othersDebit = debitTotal - line.debit;
    const Money othersCredit = creditTotal - line.credit;
    const Money gap = othersCredit - othersDebit;
    if (gap.isZero()) return line;
    VoucherLine next = line;
    // Where the other lines hold only negative or no amounts, the balancing
    // amount goes in as a negative amount on the side of the gap.
    const bool onDebit = (othersDebit <= Money() && othersCredit <= Money()) ? gap.isNegative() : !gap.isNegative();
    next.debit = onDebit ? gap : Money();
    next.credit = onDebit ? Money() : -gap;
    const Money placed = onDebit ? next.debit : next.credit;
    next.foreignAmount =
        next.hasForeignCurrency() && next.rate > Money() ? TruncateCurrency(placed.dividedBy(next.rate)) : Money();
    if (!fill(next.debitBuffer, next.debit) || !fill(next.creditBuffer, next.credit) ||
        !fill(next.foreignBuffer, next.foreignAmount))
      return AmountBuffer::overflowRefusal();
    if (!next.hasForeignCurrency())
      next.foreignSide = ForeignSide::None;
    else
      next.foreignSide = next.debit.isZero() ? ForeignSide::Credit : ForeignSide::Debit;
    return next;
  });
}

LineResult SwapSides(const VoucherLine& line) {
  return guarded([&]() -> LineResult {
    VoucherLine next = line;
    if (!next.hasForeignCurrency()) {
      std::swap(next.debit, next.credit);
      std::swap(next.debitBuffer, next.creditBuffer);
      return next;
    }
    next.foreignSide = next.foreignSide == ForeignSide::Debit ? ForeignSide::Credit : ForeignSide::Debit;
    if (next.foreignAmount.isZero()) return next;
    return placeForeignAmount(std::move(next));
  });
}

VoucherLine WithCurrency(const VoucherLine& line, const Currency* currency) {
  VoucherLine next = line;
  const bool foreign = currency != nullptr && currency->moneyId != 0;
  next.moneyId = foreign ? currency->moneyId : 0;
  next.currencyName = foreign ? currency->name : kLocalCurrencyName;
  next.rate = foreign ? currency->rate : Money();
  next.foreignSide = ForeignSide::None;
  next.foreignAmount = next.debit = next.credit = Money();
  next.debitBuffer = next.creditBuffer = next.foreignBuffer = AmountBuffer();
  return next;
}

LineResult WithRate(const VoucherLine& line, Money rate) {
  return guarded([&]() -> LineResult {
    VoucherLine next = line;
    next.rate = rate;
    if (!next.hasForeignCurrency() || next.foreignBuffer.empty()) return next;
    return placeForeignAmount(std::move(next));
  });
}

Totals LineTotals(const std::vector<VoucherLine>& lines) {
  Money debit;
  Money credit;
  for (const VoucherLine& line : lines) {
    debit += line.debit;
    credit += line.credit;
  }
  return {TruncateCurrency(debit), TruncateCurrency(credit)};
}

}  // namespace qj::vouchers
