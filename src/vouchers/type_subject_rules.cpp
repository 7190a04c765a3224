#include "vouchers/type_subject_rules.h"

#include <algorithm>

#include "base/product_caption.h"

namespace qj::vouchers {
namespace {

// A line with its subject already told apart as cash, bank or neither.
struct ClassifiedLine {
  bool cash = false;
  bool bank = false;
  Money debit;
  Money credit;
};

bool IsCash(const ClassifiedLine& line) { return line.cash; }
bool IsBank(const ClassifiedLine& line) { return line.bank; }
bool IsCashOrBank(const ClassifiedLine& line) { return line.cash || line.bank; }

bool HasDebit(const ClassifiedLine& line) { return !line.debit.isZero(); }
bool HasCredit(const ClassifiedLine& line) { return !line.credit.isZero(); }
// For the side a cash or bank voucher of scheme 3 must be on, a negative amount
// on the other side counts as well.
bool OnDebitSide(const ClassifiedLine& line) {
  return HasDebit(line) || (line.debit.isZero() && line.credit.isNegative());
}
bool OnCreditSide(const ClassifiedLine& line) {
  return HasCredit(line) || (line.credit.isZero() && line.debit.isNegative());
}

using LineTest = bool (*)(const ClassifiedLine&);

Refusal RuleRefusal(const char* text) { return {text, base::kProductCaption, msgbox::IconWarning}; }

bool Any(const std::vector<ClassifiedLine>& lines, LineTest subject, LineTest side) {
  return std::ranges::any_of(lines, [&](const ClassifiedLine& line) { return subject(line) && side(line); });
}

// Receipt and payment of scheme 2: some cash or bank line on the side.
std::optional<Refusal> Require(const std::vector<ClassifiedLine>& lines, LineTest side, const char* message) {
  if (Any(lines, IsCashOrBank, side)) return std::nullopt;
  return RuleRefusal(message);
}

// Transfer: no cash or bank line at all; the first such line names the side.
std::optional<Refusal> CheckTransfer(const std::vector<ClassifiedLine>& lines) {
  for (const ClassifiedLine& line : lines) {
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

std::optional<Refusal> Check(const std::vector<ClassifiedLine>& lines, const CashBankRule& rule) {
  if (Any(lines, rule.required, rule.requiredSide) && !Any(lines, rule.forbidden, rule.forbiddenSide))
    return std::nullopt;
  return RuleRefusal(rule.message);
}

std::optional<Refusal> CheckSchemeTwo(const std::vector<ClassifiedLine>& lines, std::int64_t typeId) {
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

std::optional<Refusal> CheckSchemeThree(const std::vector<ClassifiedLine>& lines, std::int64_t typeId) {
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

CashBankSubjects CashBankSubjectsOf(const ReservedSubjects& reserved) {
  CashBankSubjects subjects;
  if (auto cash = reserved.find(kReservedCash); cash != reserved.end() && !cash->second.empty())
    subjects.cash = cash->second;
  if (auto bank = reserved.find(kReservedBank); bank != reserved.end() && !bank->second.empty())
    subjects.bank = bank->second;
  return subjects;
}

std::optional<Refusal> CheckVoucherTypeSubjects(const std::vector<TypedLine>& lines, std::int64_t typeId, int scheme,
                                                const CashBankSubjects& subjects) {
  if (scheme != 2 && scheme != 3) return std::nullopt;
  std::vector<ClassifiedLine> classified;
  classified.reserve(lines.size());
  for (const TypedLine& line : lines)
    classified.push_back(
        {line.subject.starts_with(subjects.cash), line.subject.starts_with(subjects.bank), line.debit, line.credit});
  return scheme == 2 ? CheckSchemeTwo(classified, typeId) : CheckSchemeThree(classified, typeId);
}

}  // namespace qj::vouchers
