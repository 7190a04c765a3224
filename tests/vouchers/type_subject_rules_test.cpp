#include "vouchers/type_subject_rules.h"

#include <gtest/gtest.h>

#include "base/product_caption.h"

namespace qj::vouchers {
namespace {

constexpr const char* kReceipt = "收字凭证借方必须存在‘现金’或‘银行存款’科目";
constexpr const char* kPayment = "付字凭证贷方必须存在‘现金’或‘银行存款’科目";
constexpr const char* kTransferDebit = "转字凭证借方不可以存在‘现金’或‘银行存款’科目";
constexpr const char* kTransferCredit = "转字凭证贷方不可以存在‘现金’或‘银行存款’科目";
constexpr const char* kCashReceipt = "现收凭证借方必须存在‘现金’且不可以存在‘银行存款’科目";
constexpr const char* kCashPayment = "现付凭证贷方必须存在‘现金’且不可以存在‘银行存款’科目";
constexpr const char* kBankReceipt = "银收凭证借方必须存在‘银行存款’且不可以存在‘现金’科目";
constexpr const char* kBankPayment = "银付凭证贷方必须存在‘银行存款’且不可以存在‘现金’科目";

TypedLine Line(const char* subject, std::int64_t debit, std::int64_t credit) {
  return {subject, Money::fromInteger(debit), Money::fromInteger(credit)};
}

// Cash is any code beginning "1001", bank "1002"; "5502" is neither.
const TypedLine kCashDebit = Line("100101", 100, 0);
const TypedLine kCashCredit = Line("1001", 0, 100);
const TypedLine kCashNegativeCredit = Line("1001", 0, -100);
const TypedLine kCashNegativeDebit = Line("1001", -100, 0);
const TypedLine kBankDebit = Line("1002", 100, 0);
const TypedLine kBankCredit = Line("100201", 0, 100);
const TypedLine kBankNegativeCredit = Line("1002", 0, -100);
const TypedLine kBankNegativeDebit = Line("1002", -100, 0);
const TypedLine kExpenseDebit = Line("5502", 100, 0);
const TypedLine kExpenseCredit = Line("5502", 0, 100);

struct Case {
  const char* what;
  int scheme;
  std::int64_t type;
  std::vector<TypedLine> lines;
  const char* refusal;  // nullptr: accepted
};

void Expect(const Case& c) {
  const std::optional<Refusal> got = CheckVoucherTypeSubjects(c.lines, c.type, c.scheme);
  if (c.refusal == nullptr) {
    EXPECT_EQ(got, std::nullopt) << c.what << ": " << got.value_or(Refusal{}).text;
    return;
  }
  ASSERT_TRUE(got.has_value()) << c.what;
  EXPECT_EQ(got->text, c.refusal) << c.what;
  EXPECT_EQ(got->caption, base::kProductCaption) << c.what;
}

TEST(TypeSubjectRules, SchemesWithoutRulesAcceptAnything) {
  const std::vector<TypedLine> cashOnly = {kCashCredit, kBankDebit};
  for (int scheme : {0, 1, 4, -1})
    for (std::int64_t type = 0; type <= 10; ++type) Expect({"scheme without rules", scheme, type, cashOnly, nullptr});
  // In the checking schemes only their own types have rules.
  for (std::int64_t type : {0, 1, 5, 6, 7, 8, 9, 10}) Expect({"scheme 2, unruled type", 2, type, {}, nullptr});
  for (std::int64_t type : {0, 1, 2, 3, 4, 10}) Expect({"scheme 3, unruled type", 3, type, {}, nullptr});
}

TEST(TypeSubjectRules, SchemeTwoReceiptAndPayment) {
  const Case cases[] = {
      {"receipt, cash debit", 2, 2, {kExpenseCredit, kCashDebit}, nullptr},
      {"receipt, bank debit", 2, 2, {kBankDebit, kExpenseCredit}, nullptr},
      {"receipt, a negative debit is still a debit", 2, 2, {kCashNegativeDebit}, nullptr},
      {"receipt, cash only on credit", 2, 2, {kExpenseDebit, kCashCredit}, kReceipt},
      {"receipt, a negative credit does not count in scheme 2", 2, 2, {kCashNegativeCredit}, kReceipt},
      {"receipt, no cash or bank", 2, 2, {kExpenseDebit, kExpenseCredit}, kReceipt},
      {"receipt, code only containing 1001", 2, 2, {Line("21001", 100, 0), Line("100", 100, 0)}, kReceipt},
      {"receipt, no lines", 2, 2, {}, kReceipt},
      {"payment, bank credit", 2, 3, {kExpenseDebit, kBankCredit}, nullptr},
      {"payment, cash credit", 2, 3, {kCashCredit}, nullptr},
      {"payment, cash only on debit", 2, 3, {kCashDebit, kExpenseCredit}, kPayment},
      {"payment, a negative debit does not count in scheme 2", 2, 3, {kBankNegativeDebit}, kPayment},
  };
  for (const Case& c : cases) Expect(c);
}

// Types 4 of scheme 2 and 9 of scheme 3 hold no cash or bank line; the first
// such line, scanned in order, names the side of the message.
TEST(TypeSubjectRules, TransferTypesRefuseCashAndBankWithTheFirstOffendingLine) {
  for (const auto& [scheme, type] : {std::pair{2, 4}, std::pair{3, 9}}) {
    const Case cases[] = {
        {"no cash or bank", scheme, type, {kExpenseDebit, kExpenseCredit}, nullptr},
        {"no lines", scheme, type, {}, nullptr},
        {"cash debit", scheme, type, {kExpenseCredit, kCashDebit}, kTransferDebit},
        {"bank credit", scheme, type, {kExpenseDebit, kBankCredit}, kTransferCredit},
        {"credit line before debit line", scheme, type, {kExpenseDebit, kBankCredit, kCashDebit}, kTransferCredit},
        {"debit line before credit line", scheme, type, {kBankDebit, kCashCredit}, kTransferDebit},
        {"negative credit is a credit", scheme, type, {kCashNegativeCredit}, kTransferCredit},
        {"a line with both amounts is a debit first", scheme, type, {Line("1002", 5, 5)}, kTransferDebit},
        {"cash or bank line without amounts", scheme, type, {Line("1001", 0, 0)}, nullptr},
    };
    for (const Case& c : cases) Expect(c);
  }
}

TEST(TypeSubjectRules, SchemeThreeCashAndBankTypes) {
  const Case cases[] = {
      {"cash receipt, cash debit", 3, 5, {kCashDebit, kExpenseCredit}, nullptr},
      {"cash receipt, negative cash credit counts as debit", 3, 5, {kCashNegativeCredit, kExpenseCredit}, nullptr},
      {"cash receipt, bank on the credit side is allowed", 3, 5, {kCashDebit, kBankCredit}, nullptr},
      {"cash receipt, a negative bank credit is not a bank debit", 3, 5, {kCashDebit, kBankNegativeCredit}, nullptr},
      {"cash receipt, cash only on credit", 3, 5, {kExpenseDebit, kCashCredit}, kCashReceipt},
      {"cash receipt, bank debit beside cash debit", 3, 5, {kCashDebit, kBankDebit}, kCashReceipt},
      {"cash receipt, bank debit only", 3, 5, {kBankDebit, kExpenseCredit}, kCashReceipt},
      {"cash receipt, a cash line without amounts", 3, 5, {Line("1001", 0, 0), kExpenseDebit}, kCashReceipt},
      {"cash payment, cash credit", 3, 6, {kExpenseDebit, kCashCredit}, nullptr},
      {"cash payment, negative cash debit counts as credit", 3, 6, {kCashNegativeDebit}, nullptr},
      {"cash payment, bank debit is allowed", 3, 6, {kBankDebit, kCashCredit}, nullptr},
      {"cash payment, cash only on debit", 3, 6, {kCashDebit, kExpenseCredit}, kCashPayment},
      {"cash payment, bank credit beside cash credit", 3, 6, {kCashCredit, kBankCredit}, kCashPayment},
      {"bank receipt, bank debit", 3, 7, {kBankDebit, kExpenseCredit}, nullptr},
      {"bank receipt, negative bank credit counts as debit", 3, 7, {kBankNegativeCredit}, nullptr},
      {"bank receipt, cash credit is allowed", 3, 7, {kBankDebit, kCashCredit}, nullptr},
      {"bank receipt, bank only on credit", 3, 7, {kExpenseDebit, kBankCredit}, kBankReceipt},
      {"bank receipt, cash debit beside bank debit", 3, 7, {kBankDebit, kCashDebit}, kBankReceipt},
      {"bank receipt, negative cash debit is still a cash debit", 3, 7, {kBankDebit, kCashNegativeDebit}, kBankReceipt},
      {"bank payment, bank credit", 3, 8, {kExpenseDebit, kBankCredit}, nullptr},
      {"bank payment, negative bank debit counts as credit", 3, 8, {kBankNegativeDebit}, nullptr},
      {"bank payment, cash debit is allowed", 3, 8, {kCashDebit, kBankCredit}, nullptr},
      {"bank payment, bank only on debit", 3, 8, {kBankDebit, kExpenseCredit}, kBankPayment},
      {"bank payment, cash credit beside bank credit", 3, 8, {kBankCredit, kCashCredit}, kBankPayment},
      {"bank payment, no lines", 3, 8, {}, kBankPayment},
  };
  for (const Case& c : cases) Expect(c);
}

TEST(TypeSubjectRules, ABookNamesItsCashAndBankSubjects) {
  // The standard chart keeps cash under 101 and bank under 102.
  const CashBankSubjects book = CashBankSubjectsOf({{kReservedCash, "101"}, {kReservedBank, "102"}, {16, "313"}});
  EXPECT_EQ(book.cash, "101");
  EXPECT_EQ(book.bank, "102");
  EXPECT_EQ(CheckVoucherTypeSubjects({Line("10101", 100, 0), Line("501", 0, 100)}, 2, 2, book), std::nullopt);
  EXPECT_EQ(CheckVoucherTypeSubjects({Line("501", 100, 0), Line("102", 0, 100)}, 3, 2, book), std::nullopt);
  ASSERT_TRUE(CheckVoucherTypeSubjects({Line("501", 100, 0), Line("102", 0, 100)}, 4, 2, book));
  EXPECT_EQ(CheckVoucherTypeSubjects({Line("501", 100, 0), Line("102", 0, 100)}, 4, 2, book)->text, kTransferCredit);
  // Without reserved subjects the book falls back on 1001 and 1002.
  const CashBankSubjects fallback = CashBankSubjectsOf({{16, "313"}});
  EXPECT_EQ(fallback.cash, "1001");
  EXPECT_EQ(fallback.bank, "1002");
}

}  // namespace
}  // namespace qj::vouchers
