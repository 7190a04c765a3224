// The currencies a voucher line may use (CURRENCY rows below the aggregate 99),
// read once when the entry screen opens.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/money.h"

namespace qj::vouchers {

struct Currency {
  int moneyId = 0;
  std::string name;
  Money rate;

  friend bool operator==(const Currency&, const Currency&) = default;
};

class Currencies {
 public:
  Currencies() = default;
  explicit Currencies(std::vector<Currency> list) : list_(std::move(list)) {}
  // MONEYID below 99, by MONEYID.
  static Currencies load(data::Connection& db);

  [[nodiscard]] const std::vector<Currency>& list() const { return list_; }
  [[nodiscard]] const Currency* find(int moneyId) const;

 private:
  std::vector<Currency> list_;
};

}  // namespace qj::vouchers
