// A subject (account) of the chart as stored in Subject, and what a user types
// when adding or modifying one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qj::subjects {

// Foreign-currency accounting of a subject (VorWBFlag).
namespace foreign {
inline constexpr int None = 0;    // 不核算外币
inline constexpr int Single = 1;  // 核算单一外币: the currency in MONEYID
inline constexpr int All = 2;     // 核算所有外币
}  // namespace foreign

struct Subject {
  std::string code;
  std::string name;
  bool debit = true;   // DCFLAG 'T'
  bool detail = true;  // DETAILFLAG 'T': a leaf that may carry voucher lines
  bool cashFlow = false;
  int foreignCurrency = foreign::None;
  int moneyId = 0;
  int attrFlag = 0;
  std::string helpCode;
  int specialLevelCode = 0;     // 0 when the subject has none
  std::int64_t relevantId = 0;  // customer or supplier link; 0 when none
};

// The editable part of a subject in the add and modify dialogs. The code is
// the fixed prefix (the parent's code, empty on level 1) followed by the
// segment the user types.
struct SubjectDraft {
  std::string segment;
  std::string name;
  std::optional<bool> debit;  // no direction chosen yet
  bool cashFlow = false;
  int foreignCurrency = foreign::None;
  int moneyId = 0;  // the currency for foreign::Single
  std::string helpCode;
  std::optional<std::int64_t> counterparty;  // the customer or supplier of a trading sub-account
};

}  // namespace qj::subjects
