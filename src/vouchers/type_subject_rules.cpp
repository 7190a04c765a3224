#include "vouchers/type_subject_rules.h"

#include <algorithm>

#include "vouchers/product_caption.h"

namespace qj::vouchers {
namespace {

bool IsCash(const TypedLine& line) { return line.subject.starts_with("1001"); }
bool IsBank(const TypedLine& line) { return line.subject.starts_with("1002"); }
bool IsCashOrBank(const TypedLine& line) { return IsCash(line) || IsBank(line); }

bool HasDebit(const TypedLine& line) { return !line.debit.isZero(); }
bool HasCredit(const TypedLine& line) { return !line.credit.isZero(); }
// For the side a cash or bank voucher of scheme 3 must be on, a negative amount
// on the other side counts as well.
bool OnDebitSide(const TypedLine& line) { return HasDebit(line) || (line.debit.isZero() && line.credit.isNegative()); }
bool OnCreditSide(const TypedLine& line) {
  return HasCredit(line) || (line.credit.isZero() && line.debit.isNegative());
}

using LineTest = bool (*)(const TypedLine&);

Refusal RuleRefusal(const char* text) { return {text, kProductCaption, msgbox::IconWarning}; }

bool Any(const std::vector<TypedLine>& lines, LineTest subject, LineTest side) {
  return std::ranges::any_of(lines, [&](const TypedLine& line) { return subject(line) && side(line); });
}

// Receipt and payment of scheme 2: some cash or bank line on the side.
std::optional<Refusal> Require(const std::vector<TypedLine>& lines, LineTest side, const char* message) {
  if (Any(lines, IsCashOrBank, side)) return std::nullopt;
  return RuleRefusal(message);
}

// Transfer: no cash or bank line at all; the first such line names the side.
std::optional<Refusal> CheckTransfer(const std::vector<TypedLine>& lines) {
  for (const TypedLine& line : lines) {
    if (!IsCashOrBank(line)) continue;
    if (HasDebit(line)) return RuleRefusal("转字凭证借方不可以存在‘现金’或‘银行存款’科目");
    if (HasCredit(line)) return RuleRefusal("转字凭证贷方不可以存在‘现金’或‘银行存款’科目");
  }
  return std::nullopt;
}

// A cash or bank type of scheme 3: some line of the required subject on the
// voucher's side, and no line of the other subject with an amount on that side.
struct CashBankRule {
  LineTest required;
  LineTest requiredSide;
  LineTest forbidden;
  LineTest forbiddenSide;
  const char* message;
};

std::optional<Refusal> Check(const std::vector<TypedLine>& lines, const CashBankRule& rule) {
  if (Any(lines, rule.required, rule.requiredSide) && !Any(lines, rule.forbidden, rule.forbiddenSide))
    return std::nullopt;
  return RuleRefusal(rule.message);
}

std::optional<Refusal> CheckSchemeTwo(const std::vector<TypedLine>& lines, std::int64_t typeId) {
  switch (typeId) {
    case 2:
      return Require(lines, HasDebit, "收字凭证借方必须存在‘现金’或‘银行存款’科目");
    case 3:
      return Require(lines, HasCredit, "付字凭证贷方必须存在‘现金’或‘银行存款’科目");
    case 4:
      return CheckTransfer(lines);
    default:
      return std::nullopt;
  }
}

std::optional<Refusal> CheckSchemeThree(const std::vector<TypedLine>& lines, std::int64_t typeId) {
  switch (typeId) {
    case 5:
      return Check(lines,
                   {IsCash, OnDebitSide, IsBank, HasDebit, "现收凭证借方必须存在‘现金’且不可以存在‘银行存款’科目"});
    case 6:
      return Check(lines,
                   {IsCash, OnCreditSide, IsBank, HasCredit, "现付凭证贷方必须存在‘现金’且不可以存在‘银行存款’科目"});
    case 7:
      return Check(lines,
                   {IsBank, OnDebitSide, IsCash, HasDebit, "银收凭证借方必须存在‘银行存款’且不可以存在‘现金’科目"});
    case 8:
      return Check(lines,
                   {IsBank, OnCreditSide, IsCash, HasCredit, "银付凭证贷方必须存在‘银行存款’且不可以存在‘现金’科目"});
    case 9:
      return CheckTransfer(lines);
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<Refusal> CheckVoucherTypeSubjects(const std::vector<TypedLine>& lines, std::int64_t typeId, int scheme) {
  if (scheme == 2) return CheckSchemeTwo(lines, typeId);
  if (scheme == 3) return CheckSchemeThree(lines, typeId);
  return std::nullopt;
}

}  // namespace qj::vouchers
