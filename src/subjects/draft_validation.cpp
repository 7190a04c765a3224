#include "subjects/draft_validation.h"

#include <algorithm>

#include "subjects/currency_queries.h"
#include "subjects/subject_classes.h"
#include "subjects/subject_store.h"
#include "subjects/subject_usage_queries.h"

namespace qj::subjects {
namespace {

// Column widths of Subject, counted in characters as the server counts them.
constexpr std::size_t kNameWidth = 32;
constexpr std::size_t kHelpCodeWidth = 8;

std::size_t characters(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

// A foreign currency (1 to 98) that the book holds.
bool isForeignCurrency(data::Connection& db, int moneyId) {
  return moneyId > 0 && moneyId < 99 && CurrencyExists(db, moneyId);
}

}  // namespace

std::optional<Refusal> NonDigitCodeRefusal(const std::string& code) {
  if (std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  return Refusal{"科目编码只能由数字组成", caption::CodeError};
}

Refusal CodeFormatRefusal(const ChartRules& rules) {
  return {"科目编码格式错，正确的格式应为：" + rules.structure.describe(), caption::CodeError};
}

std::optional<Refusal> CheckDraft(data::Connection& db, const ChartRules& rules, const DraftPlace& place,
                                  const SubjectDraft& draft) {
  if (blank(draft.name)) return Refusal{"科目名称不可为空"};
  if (characters(draft.name) > kNameWidth) return Refusal{"科目名称不能超过 32 个字"};
  if (!draft.debit) return Refusal{"余额方向必须先选定"};
  if (draft.foreignCurrency < foreign::None || draft.foreignCurrency > foreign::All)
    return Refusal{"外币核算方式应为不核算外币、核算单一外币或核算所有外币"};
  if (draft.foreignCurrency == foreign::Single && !isForeignCurrency(db, draft.moneyId))
    return Refusal{"核算单一外币时必须选定一种外币"};
  if (characters(draft.helpCode) > kHelpCodeWidth) return Refusal{"助记码不能超过 8 个字符"};

  if (auto refusal = NonDigitCodeRefusal(draft.segment)) return refusal;
  if (static_cast<int>(draft.segment.size()) != rules.structure.segmentWidth(place.level))
    return CodeFormatRefusal(rules);
  const std::string code = place.prefix + draft.segment;
  if (ClassOf(code) != place.classDigit)
    return Refusal{ClassName(place.classDigit) + "类科目编码首位必须为" + std::to_string(place.classDigit)};
  if (code == place.currentCode) return std::nullopt;
  if (FindSubject(db, code)) return Refusal{"科目编码已被其他科目使用", caption::Error};
  if (place.currentCode.empty()) return std::nullopt;
  if (IsUsed(db, place.currentCode)) return Refusal{"该科目已有单据发生，不可修改该科目的编码"};
  if (CountSubAccounts(db, place.currentCode) > 0) return Refusal{"该科目已有下级科目，不可修改该科目的编码"};
  return std::nullopt;
}

}  // namespace qj::subjects
