// Typing amounts and subjects into the voucher entry model.
#include <gtest/gtest.h>

#include "entry_model_fixture.h"

namespace qj::test {
namespace {

using vouchers::ForeignSide;

class EntryTyping : public EntryModelTest {};
QJ_ON_EVERY_ENGINE(EntryTyping);

TEST_P(EntryTyping, NineDigitsMakeTheAmountAndATenthHitsTheDigitLimit) {
  open();
  fillLine("付货款", "10001", "123456789");
  EXPECT_EQ(current().debit, amount("123456789"));
  EXPECT_EQ(model().debitTotal(), amount("123456789"));
  EXPECT_TRUE(host().messages.empty());
  EXPECT_FALSE(keys("1"));
  EXPECT_EQ(lastMessage(), "凭证金额超过位数限制");
  EXPECT_EQ(last().caption, "提示信息");
  EXPECT_EQ(current().debit, amount("123456789"));
  // Decimals are not integer digits: they still go in.
  EXPECT_TRUE(keys(".5"));
  EXPECT_EQ(current().debit, amount("123456789.5"));
}

// The calculator's figure goes into the current amount cell as if typed.
TEST_P(EntryTyping, AFigureFromTheCalculatorFillsTheCurrentAmountCell) {
  open();
  fillLine("付货款", "10001", "");
  ASSERT_TRUE(model().moveTo(0, Column::Summary));
  EXPECT_FALSE(model().putAmount(amount("12")));
  EXPECT_EQ(lastMessage(), "请先把光标移到借方、贷方或外币金额栏，再填入计算结果。");

  ASSERT_TRUE(model().moveTo(0, Column::Debit));
  ASSERT_TRUE(model().putAmount(amount("1234.567")));
  EXPECT_EQ(current().debit, amount("1234.57"));  // two decimals, as the cell holds them
  EXPECT_EQ(model().debitTotal(), amount("1234.57"));
  EXPECT_TRUE(model().modified());
  ASSERT_TRUE(model().putAmount(amount("-8")));
  EXPECT_EQ(current().debit, amount("-8"));

  EXPECT_FALSE(model().putAmount(amount("1000000000")));
  EXPECT_EQ(lastMessage(), "凭证金额超过位数限制");
  ASSERT_TRUE(model().moveTo(0, Column::Credit));
  EXPECT_FALSE(model().putAmount(amount("5")));
  EXPECT_EQ(lastMessage(), "借方栏已有金额数据，\r\n不可再在贷方栏输入");
  EXPECT_EQ(current().debit, amount("-8"));
  EXPECT_TRUE(current().credit.isZero());
}

TEST_P(EntryTyping, MinusThenDigitsInTheCreditGiveANegativeCredit) {
  open();
  fillLine("冲销", "10001", "", "-100");
  EXPECT_EQ(current().credit, amount("-100"));
  EXPECT_EQ(current().creditBuffer.text(), "-100.00");
  EXPECT_EQ(model().creditTotal(), amount("-100"));
  EXPECT_TRUE(model().modified());
}

TEST_P(EntryTyping, ABufferWithTenIntegerDigitsBeepsWithoutAMessage) {
  open();
  model().toggleForeignColumns();
  fillLine("购汇", "1000202", "");
  ASSERT_TRUE(typeIn(Column::Rate, "0.0001"));
  ASSERT_TRUE(typeIn(Column::Foreign, "1234567890"));
  EXPECT_EQ(current().credit, amount("123456.79"));
  const auto before = current();
  EXPECT_FALSE(keys("1"));
  EXPECT_EQ(beeps, 1);
  EXPECT_TRUE(host().messages.empty());
  EXPECT_EQ(current(), before);
}

class EntryRefusals : public EntryModelTest {
 protected:
  void SetUp() override {
    EntryModelTest::SetUp();
    // Line 0 read-only in dollars, line 1 in dollars, line 2 a local credit, line 3 a local debit.
    storeVoucher("201107000001", 1, 1,
                 {{"1000202", "680", "0", "系统", 1, "6.8", "100", true},
                  {"1000202", "0", "340", "购汇", 1, "6.8", "50"},
                  {"50001", "0", "50", "费用"},
                  {"50001", "10", "0", "费用"}},
                 "张三");
  }
  // Types one digit into a cell of a line; the message it gave, or "".
  std::string refusalOf(std::size_t lineIndex, Column column) {
    host().messages.clear();
    EXPECT_TRUE(model().moveTo(lineIndex, column));
    const auto before = model().lines();
    const bool typed = keys("7");
    if (!typed) {
      EXPECT_EQ(model().lines(), before) << "a refused key changes nothing";
      EXPECT_EQ(last().caption, "提示信息");
    }
    return typed ? std::string() : lastMessage();
  }
};
QJ_ON_EVERY_ENGINE(EntryRefusals);

TEST_P(EntryRefusals, TypingIsRefusedInTheirOrderOneConditionAtATime) {
  vouchers::VoucherEntryOptions audit;
  audit.auditMode = true;
  open("201107000001", audit);
  model().toggleForeignColumns();
  // Read-only comes before audit mode.
  EXPECT_EQ(refusalOf(0, Column::Foreign), "当前分录为系统制作的只读分录，不可修改或删除。");
  // Audit mode without permission comes before the cell rules.
  EXPECT_EQ(refusalOf(1, Column::Debit), "不可以修改正在被审核的凭证。");
  EXPECT_EQ(refusalOf(2, Column::Debit), "不可以修改正在被审核的凭证。");

  open("201107000001");
  model().toggleForeignColumns();
  EXPECT_EQ(refusalOf(0, Column::Debit), "当前分录为系统制作的只读分录，不可修改或删除。");
  EXPECT_EQ(refusalOf(1, Column::Debit), "外币金额请在外币栏输入");
  EXPECT_EQ(last().flags, msgbox::IconWarning);
  EXPECT_EQ(refusalOf(1, Column::Credit), "外币金额请在外币栏输入");
  EXPECT_EQ(refusalOf(2, Column::Debit), "贷方栏已有金额数据，\r\n不可再在借方栏输入");
  EXPECT_EQ(last().flags, msgbox::IconWarning);
  EXPECT_EQ(refusalOf(3, Column::Credit), "借方栏已有金额数据，\r\n不可再在贷方栏输入");
  EXPECT_EQ(refusalOf(2, Column::Foreign), "人民币金额请在借方栏或贷方栏输入");
  EXPECT_EQ(last().flags, msgbox::IconWarning);
  // The cells that take the amount.
  EXPECT_EQ(refusalOf(1, Column::Foreign), "");
  EXPECT_EQ(refusalOf(2, Column::Credit), "");
  EXPECT_FALSE(model().cellReadOnly(2, Column::Credit));
  EXPECT_TRUE(model().cellReadOnly(0, Column::Credit));
}

TEST_P(EntryTyping, AForeignLineTakesItsCurrencyAndMovesItsAmountOnSwap) {
  open();
  model().toggleForeignColumns();
  fillLine("购汇", "1000202", "");
  EXPECT_EQ(current().currencyName, "美元");
  EXPECT_EQ(current().rate, amount("6.8"));
  ASSERT_TRUE(model().swapLine());  // to the debit side before any amount
  ASSERT_TRUE(typeIn(Column::Foreign, "100"));
  EXPECT_EQ(current().debit.toString(), "680.0000");
  EXPECT_EQ(current().credit, Money());
  EXPECT_EQ(model().debitTotal(), amount("680"));
  ASSERT_TRUE(model().pressKey(Key::F5));
  EXPECT_EQ(current().credit.toString(), "680.0000");
  EXPECT_EQ(current().debit, Money());
  EXPECT_EQ(current().foreignSide, ForeignSide::Credit);
  EXPECT_EQ(model().debitTotal(), Money());
  EXPECT_EQ(model().creditTotal(), amount("680"));
}

TEST_P(EntryTyping, ARateThatMakesTheLocalAmountTooLargeLeavesTheLine) {
  open();
  model().toggleForeignColumns();
  fillLine("购汇", "1000202", "");
  ASSERT_TRUE(typeIn(Column::Foreign, "12345"));
  const auto before = current();
  EXPECT_FALSE(typeIn(Column::Rate, "10000000"));  // 12345 × 10000000 has eleven integer digits
  EXPECT_EQ(lastMessage(), "金额数据超出系统所能接受的范围");
  EXPECT_EQ(last().caption, "出错信息");
  EXPECT_EQ(current(), before);
  EXPECT_EQ(current().rate, amount("6.8"));
}

TEST_P(EntryTyping, ALocalAmountAtTheDigitLimitRefusesFurtherForeignDigits) {
  open();
  model().toggleForeignColumns();
  fillLine("购汇", "1000202", "");
  ASSERT_TRUE(typeIn(Column::Rate, "100000"));
  ASSERT_TRUE(typeIn(Column::Foreign, "1000"));
  EXPECT_EQ(current().credit, amount("100000000"));
  EXPECT_FALSE(keys("1"));
  EXPECT_EQ(lastMessage(), "凭证金额超过位数限制");
  EXPECT_EQ(current().foreignAmount, amount("1000"));
}

TEST_P(EntryTyping, RatesRecomputeAndAnEmptiedRateIsRefilledOnLeaving) {
  open();
  model().toggleForeignColumns();
  fillLine("购汇", "1000202", "");
  ASSERT_TRUE(typeIn(Column::Foreign, "100"));
  ASSERT_TRUE(typeIn(Column::Rate, "7.1"));
  EXPECT_EQ(current().credit, amount("710"));
  ASSERT_TRUE(typeIn(Column::Rate, ""));
  ASSERT_TRUE(model().moveTo(0, Column::Debit));
  EXPECT_EQ(current().rate, amount("6.8"));
  EXPECT_EQ(current().credit, amount("680"));
  // Text on its way to a rate waits silently; what is no rate is refused on leaving.
  host().messages.clear();
  ASSERT_TRUE(typeIn(Column::Rate, "."));
  ASSERT_TRUE(model().editRate("-"));
  EXPECT_EQ(model().pendingRateText(), "-");
  EXPECT_TRUE(host().messages.empty());
  ASSERT_TRUE(model().editRate(".5"));
  EXPECT_FALSE(model().pendingRateText());
  EXPECT_EQ(current().credit, amount("50"));
  ASSERT_TRUE(model().editRate("7.o"));
  EXPECT_FALSE(model().moveTo(0, Column::Debit));
  EXPECT_FALSE(host().messages.empty());
  EXPECT_EQ(model().currentColumn(), Column::Rate);
  EXPECT_EQ(current().rate, amount("0.5"));
  ASSERT_TRUE(model().editRate("-2"));
  EXPECT_FALSE(model().pressKey(Key::Down));
  EXPECT_EQ(lastMessage(), "汇率不能为负数");
  ASSERT_TRUE(model().editRate("6.8"));
  ASSERT_TRUE(model().moveTo(0, Column::Debit));
  // A rate is no business of a local-currency line.
  fillLine("付款", "10001", "");
  EXPECT_TRUE(model().cellReadOnly(0, Column::Rate));
}

TEST_P(EntryTyping, ChoosingAnotherCurrencyClearsTheAmounts) {
  open();
  model().toggleForeignColumns();
  fillLine("付款", "1000203", "");
  EXPECT_EQ(current().currencyName, "人民币");
  EXPECT_FALSE(model().cellReadOnly(0, Column::Currency));
  ASSERT_TRUE(model().chooseCurrency(1));
  EXPECT_EQ(current().rate, amount("6.8"));
  ASSERT_TRUE(typeIn(Column::Foreign, "100"));
  EXPECT_EQ(current().credit, amount("680"));
  ASSERT_TRUE(model().chooseCurrency(2));
  EXPECT_EQ(current().currencyName, "欧元");
  EXPECT_EQ(current().rate, amount("7.9"));
  EXPECT_EQ(current().credit, Money());
  EXPECT_TRUE(current().foreignBuffer.empty());
  EXPECT_EQ(model().creditTotal(), Money());
  // A subject with its own currency offers no choice.
  fillLine("购汇", "1000202", "");
  EXPECT_FALSE(model().chooseCurrency(2));
  EXPECT_EQ(current().currencyName, "美元");
}

TEST_P(EntryTyping, ASubjectWhoseCurrencyIsMissingStaysInLocalCurrency) {
  open();
  fillLine("付款", "1000204", "");
  EXPECT_EQ(lastMessage(), "指定的核算外币不存在");
  EXPECT_EQ(last().caption, "出错信息");
  EXPECT_EQ(current().subjectCode, "1000204");
  EXPECT_EQ(current().currencyName, "人民币");
  EXPECT_FALSE(current().hasForeignCurrency());
  EXPECT_TRUE(typeIn(Column::Debit, "5"));
}

TEST_P(EntryTyping, ADetailSubjectIsTakenWhileTypingAndCheckedOnLeaving) {
  open();
  ASSERT_TRUE(typeIn(Column::Subject, "1"));
  ASSERT_TRUE(model().editSubjectText("100"));
  EXPECT_EQ(current().subjectCode, "");
  EXPECT_EQ(model().pendingSubjectText(), "100");
  ASSERT_TRUE(model().editSubjectText("10001"));
  EXPECT_EQ(current().subjectCode, "10001");  // at once, before leaving the cell
  EXPECT_EQ(current().subjectFullName, "货币资金 → 现金");
  EXPECT_TRUE(current().cashFlow);
  EXPECT_FALSE(model().pendingSubjectText());
  EXPECT_TRUE(host().messages.empty());

  struct Case {
    const char* typed;
    const char* message;
  };
  for (const Case c :
       {Case{"100", "科目'100'不是一个明细科目"}, Case{"999", "科目'999'不存在"}, Case{"", "科目编码不能为空"}}) {
    ASSERT_TRUE(model().editSubjectText(c.typed));
    EXPECT_FALSE(model().moveTo(0, Column::Debit)) << c.typed;
    EXPECT_EQ(lastMessage(), c.message);
    EXPECT_EQ(last().caption, "提示信息");
    EXPECT_EQ(model().currentColumn(), Column::Subject);
  }
}

TEST_P(EntryTyping, HelpCodesNameSubjectsToo) {
  open();
  ASSERT_TRUE(typeIn(Column::Subject, "bgf"));
  EXPECT_EQ(current().subjectCode, "50001");
  EXPECT_EQ(model().pendingSubjectText(), "bgf");
  ASSERT_TRUE(model().moveTo(0, Column::Debit));
  EXPECT_FALSE(model().pendingSubjectText());
  EXPECT_EQ(current().subjectCode, "50001");
  // A help code of a summary account is refused under its code.
  ASSERT_TRUE(typeIn(Column::Subject, "GL"));
  EXPECT_FALSE(model().moveTo(0, Column::Debit));
  EXPECT_EQ(lastMessage(), "科目'500'不是一个明细科目");
}

TEST_P(EntryTyping, AnotherSubjectKeepsTheAmountsUnlessTheCurrencyChanges) {
  open();
  fillLine("付款", "10001", "100");
  typeIn(Column::Subject, "50001");
  EXPECT_EQ(current().debit, amount("100"));
  typeIn(Column::Subject, "1000202");
  EXPECT_EQ(current().currencyName, "美元");
  EXPECT_EQ(current().debit, Money());
  EXPECT_TRUE(current().debitBuffer.empty());
  EXPECT_EQ(model().debitTotal(), Money());
}

TEST_P(EntryTyping, TheSubjectChooserIsValidatedLikeTypedCodes) {
  std::vector<std::optional<std::string>> picks{std::nullopt, "10002", "50002"};
  vouchers::VoucherEntryOptions options;
  options.pickSubject = [&picks]() {
    auto pick = picks.front();
    picks.erase(picks.begin());
    return pick;
  };
  open({}, options);
  EXPECT_FALSE(model().chooseSubject());
  EXPECT_TRUE(host().messages.empty());
  EXPECT_FALSE(model().chooseSubject());
  EXPECT_EQ(lastMessage(), "科目'10002'不是一个明细科目");
  EXPECT_EQ(current().subjectCode, "");
  EXPECT_TRUE(model().chooseSubject());
  EXPECT_EQ(current().subjectCode, "50002");
  EXPECT_EQ(current().subjectFullName, "管理费用 → 差旅费");
}

class EntryBalancing : public EntryModelTest {};
QJ_ON_EVERY_ENGINE(EntryBalancing);

TEST_P(EntryBalancing, F3PlacesWhatTheOtherLinesLack) {
  open();
  fillLine("付款", "50001", "500");
  ASSERT_TRUE(model().pressKey(Key::Down));
  fillLine("付款", "10001", "", "300");
  ASSERT_TRUE(model().pressKey(Key::Down));
  typeIn(Column::Subject, "1000201");
  ASSERT_TRUE(model().pressKey(Key::F3));
  EXPECT_EQ(current().credit, amount("200"));
  EXPECT_EQ(current().debit, Money());
  EXPECT_EQ(current().creditBuffer.text(), "200.00");
  EXPECT_EQ(model().debitTotal(), model().creditTotal());
  // Balanced: F3 changes nothing more.
  const auto before = model().lines();
  ASSERT_TRUE(model().balanceLine());
  EXPECT_EQ(model().lines(), before);
}

TEST_P(EntryBalancing, F3AgainstOnlyNegativeCreditsGivesANegativeDebit) {
  open();
  fillLine("冲销", "50001", "", "-100");
  ASSERT_TRUE(model().pressKey(Key::Down));
  typeIn(Column::Subject, "10001");
  ASSERT_TRUE(model().balanceLine());
  EXPECT_EQ(current().debit, amount("-100"));
  EXPECT_EQ(current().credit, Money());
  EXPECT_EQ(model().debitTotal(), amount("-100"));
}

TEST_P(EntryBalancing, F3OnAForeignLineDerivesTheForeignAmount) {
  open();
  fillLine("付款", "50001", "680");
  ASSERT_TRUE(model().pressKey(Key::Down));
  typeIn(Column::Subject, "1000202");
  ASSERT_TRUE(model().balanceLine());
  EXPECT_EQ(current().credit, amount("680"));
  EXPECT_EQ(current().foreignAmount, amount("100"));
  EXPECT_EQ(current().foreignSide, ForeignSide::Credit);
}

TEST_P(EntryBalancing, F3OnAReadOnlyLineClearsItsFlagOnlyWhenTheVoucherDoesNotBalance) {
  storeVoucher("201107000001", 1, 1, {{"50001", "100", "0"}, {"10001", "0", "60", "系统", 0, "0", "0", true}});
  storeVoucher("201107000002", 1, 2, {{"50001", "60", "0"}, {"10001", "0", "60", "系统", 0, "0", "0", true}});
  open("201107000001");
  ASSERT_TRUE(model().moveTo(1, Column::Credit));
  ASSERT_TRUE(model().balanceLine());
  EXPECT_FALSE(current().readOnly);
  EXPECT_EQ(current().credit, amount("100"));
  EXPECT_TRUE(model().modified());

  open("201107000002");
  ASSERT_TRUE(model().moveTo(1, Column::Credit));
  EXPECT_FALSE(model().balanceLine());
  EXPECT_EQ(lastMessage(), "当前分录为系统制作的只读分录，不可修改或删除。");
  EXPECT_TRUE(current().readOnly);
}

TEST_P(EntryBalancing, F3UnderAuditIsRefusedBeforeTheReadOnlyFlagIsTouched) {
  storeVoucher("201107000001", 1, 1, {{"50001", "100", "0"}, {"10001", "0", "60", "系统", 0, "0", "0", true}}, "张三");
  vouchers::VoucherEntryOptions audit;
  audit.auditMode = true;
  open("201107000001", audit);
  ASSERT_TRUE(model().moveTo(1, Column::Credit));
  const auto before = model().lines();
  EXPECT_FALSE(model().pressKey(Key::F3));
  EXPECT_EQ(lastMessage(), "不可以修改正在被审核的凭证。");
  EXPECT_EQ(model().lines(), before);
  EXPECT_TRUE(current().readOnly);
  EXPECT_FALSE(model().modified());
}

TEST_P(EntryBalancing, AnF3AmountTooLargeForTheCellLeavesTheLineAsItWas) {
  storeVoucher("201107000001", 1, 1, {{"50001", "9000000000", "0"}, {"50002", "9000000000", "0"}, {"10001", "0", "1"}});
  open("201107000001");
  ASSERT_TRUE(model().moveTo(2, Column::Credit));
  const auto before = model().lines();
  EXPECT_FALSE(model().balanceLine());
  EXPECT_EQ(lastMessage(), "金额数据超出系统所能接受的范围");
  EXPECT_EQ(model().lines(), before);
  EXPECT_FALSE(model().modified());
}

TEST_P(EntryBalancing, F5SwapsALocalLineAndIsRefusedOnAReadOnlyOne) {
  storeVoucher("201107000001", 1, 1, {{"50001", "250.5", "0"}, {"10001", "0", "250.5", "系统", 0, "0", "0", true}});
  open("201107000001");
  ASSERT_TRUE(model().pressKey(Key::F5));
  EXPECT_EQ(current().credit, amount("250.5"));
  EXPECT_EQ(current().creditBuffer.text(), "250.50");
  EXPECT_TRUE(current().debitBuffer.empty());
  EXPECT_EQ(model().creditTotal(), amount("501"));
  ASSERT_TRUE(model().moveTo(1, Column::Summary));
  EXPECT_FALSE(model().swapLine());
  EXPECT_EQ(lastMessage(), "当前分录为系统制作的只读分录，不可修改或删除。");
  EXPECT_EQ(current().credit, amount("250.5"));
}

}  // namespace
}  // namespace qj::test
