#include "vouchers/amount_buffer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qj::vouchers {

namespace {
constexpr char kEmpty = ' ';

int digitValue(char digit) { return digit == kEmpty ? 0 : digit - '0'; }
}  // namespace

std::optional<AmountBuffer> AmountBuffer::fromValue(Money value) {
  if (value.units() == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
  Money rounded;
  try {
    rounded = TruncateCurrency(value);
  } catch (const MoneyError&) {
    return std::nullopt;
  }
  AmountBuffer buffer;
  if (rounded.isZero()) return buffer;
  const std::int64_t fen = rounded.abs().units() / (Money::kScale / 100);
  std::int64_t whole = fen / 100;
  std::string integer = whole == 0 ? std::string("0") : std::string();
  for (; whole > 0; whole /= 10) integer.insert(integer.begin(), static_cast<char>('0' + whole % 10));
  if (integer.size() > kIntegerPositions) return std::nullopt;
  std::copy(integer.begin(), integer.end(), buffer.digits_.begin() + (kIntegerPositions - integer.size()));
  buffer.digits_[kFirstDecimal] = static_cast<char>('0' + (fen % 100) / 10);
  buffer.digits_[kSecondDecimal] = static_cast<char>('0' + fen % 10);
  buffer.negative_ = rounded.isNegative();
  return buffer;
}

bool AmountBuffer::empty() const {
  return std::all_of(digits_.begin(), digits_.end(), [](char d) { return d == kEmpty; });
}

bool AmountBuffer::hasNonZeroDigit() const {
  return std::any_of(digits_.begin(), digits_.end(), [](char d) { return d != kEmpty && d != '0'; });
}

Money AmountBuffer::value() const {
  std::int64_t fen = 0;
  for (const char digit : digits_) fen = fen * 10 + digitValue(digit);
  const Money amount = Money::fromUnits(fen * (Money::kScale / 100));
  return negative_ ? -amount : amount;
}

std::string AmountBuffer::text() const {
  std::string text = negative_ ? "-" : "";
  if (empty()) return text;
  const int first = firstIntegerDigit();
  if (first == kIntegerPositions) text += '0';
  for (int i = first; i < kIntegerPositions; ++i) text += digits_[static_cast<std::size_t>(i)];
  text += '.';
  text += static_cast<char>('0' + digitValue(digits_[kFirstDecimal]));
  text += static_cast<char>('0' + digitValue(digits_[kSecondDecimal]));
  return text;
}

bool AmountBuffer::typeDigit(int digit) {
  const char typed = static_cast<char>('0' + digit);
  if (cursor_ >= kFirstDecimal) {
    digits_[static_cast<std::size_t>(cursor_)] = typed;
    cursor_ = kSecondDecimal;
    return true;
  }
  // A lone leading zero in the units gives way to the next digit, as on a calculator.
  if (cursor_ == kUnits && firstIntegerDigit() == kUnits && digits_[kUnits] == '0') {
    digits_[kUnits] = typed;
    return true;
  }
  if (integerFull()) return false;
  for (int i = 0; i < cursor_; ++i) digits_[static_cast<std::size_t>(i)] = digits_[static_cast<std::size_t>(i) + 1];
  digits_[static_cast<std::size_t>(cursor_)] = typed;
  return true;
}

void AmountBuffer::backspace() {
  if (cursor_ < kFirstDecimal) {
    removeIntegerDigit(cursor_);
    return;
  }
  digits_[static_cast<std::size_t>(cursor_)] = kEmpty;
  --cursor_;
}

void AmountBuffer::deleteDigit() {
  if (cursor_ < kFirstDecimal)
    removeIntegerDigit(cursor_);
  else
    digits_[static_cast<std::size_t>(cursor_)] = kEmpty;
}

void AmountBuffer::moveLeft() {
  // Among the integer digits the cursor stops at the most significant one.
  const bool stop =
      cursor_ < kFirstDecimal && (cursor_ == 0 || digits_[static_cast<std::size_t>(cursor_) - 1] == kEmpty);
  if (!stop) --cursor_;
}

void AmountBuffer::moveRight() {
  if (cursor_ < kSecondDecimal) ++cursor_;
}

void AmountBuffer::removeIntegerDigit(int position) {
  const auto at = static_cast<std::size_t>(position);
  if (digits_[at] == kEmpty) return;
  for (std::size_t i = at; i > 0; --i) digits_[i] = digits_[i - 1];
  digits_[0] = kEmpty;
  if (digits_[at] == kEmpty && position < kUnits) ++cursor_;
}

int AmountBuffer::firstIntegerDigit() const {
  for (int i = 0; i < kIntegerPositions; ++i)
    if (digits_[static_cast<std::size_t>(i)] != kEmpty) return i;
  return kIntegerPositions;
}

}  // namespace qj::vouchers
