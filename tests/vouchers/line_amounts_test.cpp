#include "vouchers/line_amounts.h"

#include <gtest/gtest.h>

namespace qj::vouchers {
namespace {

Money amount(const char* text) { return Money::parse(text); }

VoucherLine localLine(const char* debit, const char* credit) {
  VoucherLine line;
  line.subjectCode = "1001";
  line.debit = amount(debit);
  line.credit = amount(credit);
  line.debitBuffer = *AmountBuffer::fromValue(line.debit);
  line.creditBuffer = *AmountBuffer::fromValue(line.credit);
  return line;
}

VoucherLine foreignLine(const char* rate, ForeignSide side = ForeignSide::Debit) {
  VoucherLine line;
  line.subjectCode = "1002";
  line.moneyId = 1;
  line.currencyName = "美元";
  line.rate = amount(rate);
  line.foreignSide = side;
  return line;
}

const VoucherLine& lineOf(const LineResult& result) {
  EXPECT_TRUE(std::holds_alternative<VoucherLine>(result));
  return std::get<VoucherLine>(result);
}

// A foreign amount typed into a line's foreign buffer.
LineResult typedForeign(VoucherLine line, const char* value) {
  line.foreignBuffer = *AmountBuffer::fromValue(amount(value));
  return RecomputeFromBuffer(line, AmountColumn::Foreign);
}

TEST(LineAmounts, AForeignAmountTimesTheRateGoesToTheForeignSide) {
  const VoucherLine debit = lineOf(typedForeign(foreignLine("6.8"), "100"));
  EXPECT_EQ(debit.debit, amount("680"));
  EXPECT_EQ(debit.debit.toString(), "680.0000");
  EXPECT_EQ(debit.credit, Money());
  EXPECT_EQ(debit.debitBuffer.text(), "680.00");
  EXPECT_EQ(debit.foreignAmount, amount("100"));

  // Without a side yet the amount is a credit, and the line says so.
  const VoucherLine credit = lineOf(typedForeign(foreignLine("6.8", ForeignSide::None), "100"));
  EXPECT_EQ(credit.credit, amount("680"));
  EXPECT_EQ(credit.foreignSide, ForeignSide::Credit);
}

TEST(LineAmounts, LocalAmountsFromARateAreRoundedToFenOnce) {
  // 3.33 × 1.5 = 4.995 → 5.00; 33.33 × 0.3333 = 11.108889 → 11.11; 0.01 × 6.8275 → 0.07.
  EXPECT_EQ(lineOf(typedForeign(foreignLine("1.5"), "3.33")).debit, amount("5.00"));
  EXPECT_EQ(lineOf(typedForeign(foreignLine("0.3333"), "33.33")).debit, amount("11.11"));
  EXPECT_EQ(lineOf(typedForeign(foreignLine("6.8275"), "0.01")).debit, amount("0.07"));
}

TEST(LineAmounts, ALocalAmountTooLargeForItsCellRefusesTheWholeChange) {
  const LineResult result = typedForeign(foreignLine("10"), "9999999999");
  ASSERT_TRUE(std::holds_alternative<Refusal>(result));
  EXPECT_EQ(std::get<Refusal>(result).text, "金额数据超出系统所能接受的范围");
}

TEST(LineAmounts, BalancingPlacesTheGapOfTheOtherLines) {
  struct Case {
    const char* name;
    const char* totalDebit;  // the voucher's totals, the line's own amounts in them
    const char* totalCredit;
    const char* lineDebit;
    const char* lineCredit;
    const char* debit;  // what the line then holds
    const char* credit;
  };
  const Case cases[] = {
      {"debit 500 and credit 300 elsewhere", "500", "300", "0", "0", "0", "200"},
      {"credit 300 and debit 500 elsewhere", "300", "500", "0", "0", "200", "0"},
      {"only credit -100 elsewhere", "0", "-100", "0", "0", "-100", "0"},
      {"only debit -100 elsewhere", "-100", "0", "0", "0", "0", "-100"},
      {"the line's own amount is replaced", "900", "300", "400", "0", "0", "200"},
      {"already balanced by the others", "300", "700", "0", "400", "0", "400"},
      {"mixed negative elsewhere", "-50", "100", "0", "0", "150", "0"},
  };
  for (const Case& c : cases) {
    const VoucherLine line =
        lineOf(BalanceAgainstOthers(localLine(c.lineDebit, c.lineCredit), amount(c.totalDebit), amount(c.totalCredit)));
    EXPECT_EQ(line.debit, amount(c.debit)) << c.name;
    EXPECT_EQ(line.credit, amount(c.credit)) << c.name;
    EXPECT_EQ(line.debitBuffer.value(), amount(c.debit)) << c.name;
    EXPECT_EQ(line.creditBuffer.value(), amount(c.credit)) << c.name;
    EXPECT_EQ(line.foreignSide, ForeignSide::None) << c.name;
  }
}

TEST(LineAmounts, BalancingAForeignLineDerivesTheForeignAmountFromTheRate) {
  const VoucherLine line = lineOf(BalanceAgainstOthers(foreignLine("6.8"), amount("0"), amount("100")));
  EXPECT_EQ(line.debit, amount("100"));
  EXPECT_EQ(line.foreignAmount, amount("14.71"));  // 100 / 6.8 = 14.70588…
  EXPECT_EQ(line.foreignBuffer.text(), "14.71");
  EXPECT_EQ(line.foreignSide, ForeignSide::Debit);

  const VoucherLine noRate = lineOf(BalanceAgainstOthers(foreignLine("0"), amount("100"), amount("0")));
  EXPECT_EQ(noRate.credit, amount("100"));
  EXPECT_EQ(noRate.foreignAmount, Money());
  EXPECT_EQ(noRate.foreignSide, ForeignSide::Credit);
}

TEST(LineAmounts, SwappingAForeignLineRecomputesOnTheOtherSide) {
  const VoucherLine debit = lineOf(typedForeign(foreignLine("6.8"), "100"));
  const VoucherLine credit = lineOf(SwapSides(debit));
  EXPECT_EQ(credit.foreignSide, ForeignSide::Credit);
  EXPECT_EQ(credit.credit, amount("680"));
  EXPECT_EQ(credit.debit, Money());
  EXPECT_EQ(credit.creditBuffer.text(), "680.00");
  EXPECT_TRUE(credit.debitBuffer.empty());
  EXPECT_EQ(lineOf(SwapSides(credit)).debit, amount("680"));

  // Without a foreign amount only the side flips.
  const VoucherLine empty = lineOf(SwapSides(foreignLine("6.8")));
  EXPECT_EQ(empty.foreignSide, ForeignSide::Credit);
  EXPECT_EQ(empty.credit, Money());
}

TEST(LineAmounts, TotalsAreRoundedToFen) {
  std::vector<VoucherLine> lines{localLine("0.0049", "0"), localLine("0.0049", "0"), localLine("0", "10.005")};
  const Totals totals = LineTotals(lines);
  EXPECT_EQ(totals.debit, amount("0.01"));  // 0.0098
  EXPECT_EQ(totals.credit, amount("10.01"));
}

}  // namespace
}  // namespace qj::vouchers
