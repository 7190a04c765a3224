// The named-parameter bag through which commands receive inputs and return results.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "data/date.h"
#include "data/money.h"

namespace qj {

// A bag value that cannot be read as the type a command needs. The message is
// Chinese and names the parameter.
class ParamTypeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class VorParams {
 public:
  using Variant = std::variant<std::monostate, bool, std::int64_t, Money, std::string, Date>;

  // Adds a value, replacing one already held under the same name.
  void AddValue(std::string_view name, Variant value);
  // The value held under `name` (names compare without regard to case); empty when absent.
  [[nodiscard]] Variant GetValue(std::string_view name) const;
  [[nodiscard]] bool Has(std::string_view name) const;
  // Every value in the order first added.
  [[nodiscard]] const std::vector<std::pair<std::string, Variant>>& values() const { return values_; }

  // Typed reads. A missing value reads as "", 0, false, zero or no date; text is
  // converted when it spells a value of the wanted type ("2011", "T", "12.5",
  // "2011-07-01"); anything else throws ParamTypeError.
  [[nodiscard]] std::string GetString(std::string_view name) const;
  [[nodiscard]] std::int64_t GetInteger(std::string_view name) const;
  [[nodiscard]] bool GetBoolean(std::string_view name) const;
  [[nodiscard]] Money GetMoney(std::string_view name) const;
  // Throws ParamTypeError when the value is missing too: there is no neutral date.
  [[nodiscard]] Date GetDate(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, Variant>> values_;
};

// The text a value shows as (dates "YYYY-MM-DD", booleans "T"/"F").
std::string VariantText(const VorParams::Variant& value);

}  // namespace qj
