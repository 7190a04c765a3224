// The arithmetic of the built-in calculator: keys in, display text out. Exact
// decimal arithmetic on money values (four decimals); a division rounds half
// away from zero. Division by zero and results out of range show an error
// until the next digit or C.
#pragma once

#include <optional>
#include <string>

#include "data/money.h"

namespace qj::desktop {

enum class Operation { Add, Subtract, Multiply, Divide };

class CalculatorModel {
 public:
  // The number being typed or the last result, or an error starting with "错误".
  [[nodiscard]] std::string display() const;
  // The operand and operation waiting for the second operand, "12 ×"; "" when none.
  [[nodiscard]] std::string pending() const;
  [[nodiscard]] bool failed() const { return !error_.empty(); }
  // The number on the display; nothing while an error shows.
  [[nodiscard]] std::optional<Money> shownValue() const;

  // The keys.
  void digit(int value);  // 0 to 9
  void point();
  void operation(Operation op);
  void equals();
  void clear();
  void backspace();

 private:
  // The number on the display: the typed text, else the last result.
  [[nodiscard]] Money current() const;
  // Applies the pending operation to the accumulator and the current number.
  void calculate();

  std::string typed_;  // the number being typed; empty when none
  Money result_;
  Money accumulator_;
  std::optional<Operation> pending_;
  std::string error_;
};

}  // namespace qj::desktop
