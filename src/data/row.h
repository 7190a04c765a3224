// Query results: rows of values with case-insensitive column names.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/date.h"
#include "data/money.h"
#include "data/value.h"

namespace qj::data {

class Row {
 public:
  Row(std::shared_ptr<const std::vector<std::string>> columns, std::vector<Value> values)
      : columns_(std::move(columns)), values_(std::move(values)) {}

  [[nodiscard]] std::size_t size() const { return values_.size(); }
  [[nodiscard]] const Value& at(std::size_t index) const { return values_.at(index); }
  // Throws DbError when the row has no such column.
  [[nodiscard]] const Value& operator[](std::string_view column) const;

  [[nodiscard]] bool isNull(std::string_view column) const { return (*this)[column].isNull(); }
  // Null reads as "", 0, zero money, false and no date: readers treat null and zero alike.
  [[nodiscard]] std::string text(std::string_view column) const;
  [[nodiscard]] std::int64_t integer(std::string_view column) const;
  [[nodiscard]] Money money(std::string_view column) const;
  [[nodiscard]] bool flag(std::string_view column) const { return text(column) == "T"; }
  [[nodiscard]] std::optional<Date> date(std::string_view column) const;
  [[nodiscard]] Blob blob(std::string_view column) const;

  // The values, for a connection's row-by-row reader: it reads each row of a
  // result into one Row in turn, keeping the vector from row to row.
  std::vector<Value>& valuesToRefill() { return values_; }
  // A row of the same columns holding `values`.
  [[nodiscard]] Row withValues(std::vector<Value> values) const { return {columns_, std::move(values)}; }

 private:
  std::shared_ptr<const std::vector<std::string>> columns_;  // lower case
  std::vector<Value> values_;
};

using Rows = std::vector<Row>;

// The integer held in a value (integer or integer text); throws DbError otherwise.
std::int64_t IntegerOf(const Value& value);
// The amount held in a value, in ten-thousandths as stored; null is 0.
inline Money MoneyOf(const Value& value) { return Money::fromUnits(IntegerOf(value)); }
// The text of a value (integers in decimal).
std::string TextOf(const Value& value);
// The text of a text value without copying it, valid as long as the value;
// "" for anything else.
inline std::string_view TextViewOf(const Value& value) {
  const auto* text = std::get_if<std::string>(&value.storage());
  return text ? std::string_view(*text) : std::string_view();
}

}  // namespace qj::data
