// A single SQL value as the data layer binds and reads it.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "data/date.h"
#include "data/money.h"

namespace qj::data {

using Blob = std::vector<std::uint8_t>;

// Money travels as its count of ten-thousandths and is stored in a 64-bit
// integer column on every engine, so it stays exact in SQL sums as well.
// Dates are bound as "YYYY-MM-DD 00:00:00" text.
class Value {
 public:
  using Storage = std::variant<std::monostate, std::int64_t, std::string, Blob>;

  Value() = default;
  Value(std::nullptr_t) {}
  Value(int v) : storage_(static_cast<std::int64_t>(v)) {}
  Value(long v) : storage_(static_cast<std::int64_t>(v)) {}
  Value(long long v) : storage_(static_cast<std::int64_t>(v)) {}
  Value(std::string v) : storage_(std::move(v)) {}
  Value(const char* v) : storage_(std::string(v)) {}
  Value(std::string_view v) : storage_(std::string(v)) {}
  Value(Money v) : storage_(v.units()) {}
  Value(const Date& v) : storage_(v.toString() + " 00:00:00") {}
  Value(Blob v) : storage_(std::move(v)) {}

  [[nodiscard]] bool isNull() const { return std::holds_alternative<std::monostate>(storage_); }
  [[nodiscard]] const Storage& storage() const { return storage_; }

 private:
  Storage storage_;
};

}  // namespace qj::data
