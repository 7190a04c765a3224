#include "desktop/calculator_model.h"

namespace qj::desktop {
namespace {

// Typed numbers stay well inside the money range, so that only results overflow.
constexpr std::size_t kMaxWholeDigits = 14;

// A number without trailing zeros: "12.5", "-3", "0.0001".
std::string Shown(Money value) {
  std::string text = value.toString(Money::kDecimals);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

const char* Symbol(Operation op) {
  switch (op) {
    case Operation::Add:
      return "+";
    case Operation::Subtract:
      return "−";
    case Operation::Multiply:
      return "×";
    case Operation::Divide:
      return "÷";
  }
  return "";
}

}  // namespace

std::string CalculatorModel::display() const {
  if (failed()) return error_;
  return typed_.empty() ? Shown(result_) : typed_;
}

std::string CalculatorModel::pending() const {
  if (failed() || !pending_) return {};
  return Shown(accumulator_) + " " + Symbol(*pending_);
}

std::optional<Money> CalculatorModel::shownValue() const {
  if (failed()) return std::nullopt;
  return current();
}

Money CalculatorModel::current() const { return typed_.empty() ? result_ : Money::parse(typed_); }

void CalculatorModel::digit(int value) {
  if (value < 0 || value > 9) return;
  if (failed()) clear();
  const auto point = typed_.find('.');
  if (point == std::string::npos) {
    if (typed_ == "0") typed_.clear();
    if (typed_.size() >= kMaxWholeDigits) return;
  } else if (typed_.size() - point > Money::kDecimals) {
    return;
  }
  typed_ += static_cast<char>('0' + value);
}

void CalculatorModel::point() {
  if (failed()) clear();
  if (typed_.empty()) typed_ = "0";
  if (typed_.find('.') == std::string::npos) typed_ += '.';
}

void CalculatorModel::calculate() {
  const Money operand = current();
  try {
    switch (*pending_) {
      case Operation::Add:
        result_ = accumulator_ + operand;
        break;
      case Operation::Subtract:
        result_ = accumulator_ - operand;
        break;
      case Operation::Multiply:
        result_ = accumulator_.times(operand);
        break;
      case Operation::Divide:
        if (operand.isZero()) {
          error_ = "错误：除数不能为零";
          return;
        }
        result_ = accumulator_.dividedBy(operand);
        break;
    }
  } catch (const MoneyError&) {
    error_ = "错误：超出计算范围";
  }
}

void CalculatorModel::operation(Operation op) {
  if (failed()) return;
  // A second operation key right after the first only replaces it.
  if (pending_ && !typed_.empty()) {
    calculate();
    if (failed()) return;
  } else if (!pending_) {
    result_ = current();
  }
  accumulator_ = result_;
  pending_ = op;
  typed_.clear();
}

void CalculatorModel::equals() {
  if (failed() || !pending_) {
    if (!failed()) result_ = current();
    typed_.clear();
    return;
  }
  // "5 + =" adds the shown number to itself, as desk calculators do.
  if (typed_.empty()) result_ = accumulator_;
  calculate();
  pending_.reset();
  typed_.clear();
}

void CalculatorModel::clear() { *this = CalculatorModel(); }

void CalculatorModel::backspace() {
  if (failed() || typed_.empty()) return;
  typed_.pop_back();
  if (typed_.empty()) typed_ = "0";
}

}  // namespace qj::desktop
