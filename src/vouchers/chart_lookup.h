// The chart of accounts as the voucher entry screen looks it up while the
// user types: read once with one query, then found by code or by help code
// without going back to the database.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

struct ChartSubject {
  std::string code;
  std::string name;
  std::string fullName;   // the names of the subject and its parents, outermost first
  bool detail = false;    // the next subject in code order is not longer
  bool cashFlow = false;  // VorCash
  int foreignMode = 0;    // VorWBFlag
  int moneyId = 0;        // MONEYID, the currency of foreign mode 1
  std::string helpCode;   // HELPCODE
};

class ChartLookup {
 public:
  ChartLookup() = default;
  // Sorts the subjects by code and fills in their detail flags and full
  // names (built over `structure`).
  ChartLookup(std::vector<ChartSubject> subjects, const base::CodeStructure& structure);
  static ChartLookup load(data::Connection& db, const base::CodeStructure& structure);

  [[nodiscard]] std::size_t size() const { return subjects_.size(); }
  [[nodiscard]] const ChartSubject* find(const std::string& code) const;
  // The subject a help code (HELPCODE, compared without regard to ASCII
  // case) stands for; the first in code order when several share it.
  [[nodiscard]] const ChartSubject* findByHelpCode(const std::string& helpCode) const;
  // What typed text names: the subject with that code, else the one whose
  // help code it is.
  [[nodiscard]] const ChartSubject* resolve(const std::string& text) const;

  // Nothing when the code is a detail subject; else "科目编码不能为空",
  // "科目'x'不存在" or "科目'x'不是一个明细科目", caption "提示信息".
  [[nodiscard]] std::optional<Refusal> detailRefusal(const std::string& code) const;

 private:
  std::vector<ChartSubject> subjects_;
  std::unordered_map<std::string, std::size_t> byCode_;
  std::unordered_map<std::string, std::size_t> byHelpCode_;
};

}  // namespace qj::vouchers
