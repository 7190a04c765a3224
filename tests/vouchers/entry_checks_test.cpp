#include "vouchers/entry_checks.h"

#include <gtest/gtest.h>

#include <functional>

namespace qj::vouchers {
namespace {

Money amount(const char* text) { return Money::parse(text); }

ChartLookup smallChart() {
  std::vector<ChartSubject> subjects(4);
  subjects[0].code = "100";
  subjects[1].code = "10001";
  subjects[2].code = "10002";
  subjects[3].code = "1000201";
  return ChartLookup(std::move(subjects), base::CodeStructure({3, 5, 7}));
}

VoucherLine line(const char* summary, const char* subject, const char* debit, const char* credit) {
  VoucherLine line;
  line.summary = summary;
  line.subjectCode = subject;
  line.debit = amount(debit);
  line.credit = amount(credit);
  line.debitBuffer = *AmountBuffer::fromValue(line.debit);
  line.creditBuffer = *AmountBuffer::fromValue(line.credit);
  return line;
}

struct Voucher {
  VoucherHeader header;
  std::vector<VoucherLine> lines{line("提现", "10001", "100", "0"), line("提现", "1000201", "0", "100")};
  std::size_t current = 1;
  Totals totals{amount("100"), amount("100")};
  bool auditMode = false;
  StoredFlags stored;

  Voucher() {
    header.credId = "201107000001";
    header.credNo = 1;
    header.credDate = Date(2011, 7, 15);
  }
  std::optional<CheckFailure> check() const {
    return FirstFailedSaveCheck({header, lines, current, totals, Period{2011, 7}, Period{2011, 1}, auditMode, stored},
                                smallChart());
  }
};

TEST(EntryChecks, ABalancedVoucherWithDetailSubjectsPasses) { EXPECT_FALSE(Voucher().check()); }

TEST(EntryChecks, TheChecksComeInTheirOrder) {
  struct Fault {
    const char* message;
    std::function<void(Voucher&)> apply;
  };
  const std::vector<Fault> faults = {
      {"凭证日期早于帐套的启用期间（2011年1月），不能输入凭证",
       [](Voucher& v) { v.header.credDate = Date(2010, 12, 31); }},
      {"该月已经结帐，不可再输入或修改凭证", [](Voucher& v) { v.header.credDate = Date(2011, 6, 30); }},
      {"该张凭证已经审核，不可再修改", [](Voucher& v) { v.stored.checked = true; }},
      {"该张凭证已经登帐，不可再修改", [](Voucher& v) { v.stored.posted = true; }},
      {"凭证编号必须在1到999999之间", [](Voucher& v) { v.header.credNo = 0; }},
      {"第一条会计分录无摘要", [](Voucher& v) { v.lines[0].summary.clear(); }},
      {"借、贷方金额不等",
       [](Voucher& v) {
         v.totals = {amount("100"), amount("90")};
       }},
      {"凭证金额合计数为0",
       [](Voucher& v) {
         v.totals = {};
         v.lines[0] = line(v.lines[0].summary.c_str(), "10001", "0", "0");
       }},
      {"科目'10002'不是一个明细科目", [](Voucher& v) { v.lines[1].subjectCode = "10002"; }},
  };
  // Each fault together with every later one: its own message wins.
  for (std::size_t k = 0; k < faults.size(); ++k) {
    Voucher voucher;
    for (std::size_t i = faults.size(); i-- > k;) faults[i].apply(voucher);
    const auto failure = voucher.check();
    ASSERT_TRUE(failure) << faults[k].message;
    EXPECT_EQ(failure->refusal.text, faults[k].message);
    EXPECT_EQ(failure->refusal.caption, "提示信息");
  }
}

TEST(EntryChecks, TheBalanceMessagesCarryAWarningIcon) {
  Voucher unbalanced;
  unbalanced.totals.credit = amount("99.99");
  EXPECT_EQ(unbalanced.check()->refusal.icon, msgbox::IconWarning);
  Voucher zero;
  zero.totals = {};
  zero.lines[0] = line("提现", "10001", "0", "0");
  EXPECT_EQ(zero.check()->refusal.icon, msgbox::IconWarning);
  // A zero total is refused only when the first line holds no amount either.
  Voucher reversal;
  reversal.totals = {};
  reversal.lines = {line("冲", "10001", "-100", "0"), line("冲", "1000201", "100", "0")};
  EXPECT_FALSE(reversal.check());
}

TEST(EntryChecks, AnAuditedVoucherPassesInAuditMode) {
  Voucher voucher;
  voucher.stored.checked = true;
  voucher.auditMode = true;
  EXPECT_FALSE(voucher.check());
  voucher.stored.posted = true;
  EXPECT_EQ(voucher.check()->refusal.text, "该张凭证已经登帐，不可再修改");
}

TEST(EntryChecks, EveryLineThatWouldBeStoredIsCheckedNotOnlyTheCurrentOne) {
  Voucher voucher;
  voucher.lines[0].subjectCode.clear();  // an amount without a subject, not the current line
  auto failure = voucher.check();
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->refusal.text, "科目编码不能为空");
  EXPECT_EQ(failure->line, 0u);
  EXPECT_EQ(failure->column, Column::Subject);

  // A subject without an amount on another line.
  Voucher noAmount;
  noAmount.lines.push_back(line("提现", "10001", "0", "0"));
  failure = noAmount.check();
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->refusal.text, "金额栏不能为0");
  EXPECT_EQ(failure->line, 2u);
  EXPECT_EQ(failure->column, Column::Debit);
}

TEST(EntryChecks, LinesTheSaveDropsAreNotCheckedUnlessCurrent) {
  Voucher voucher;
  voucher.lines.push_back(line("提现", "", "0", "0"));  // the summary carried down, nothing else
  EXPECT_FALSE(voucher.check());
  voucher.current = 2;
  EXPECT_EQ(voucher.check()->refusal.text, "科目编码不能为空");
  voucher.lines[2].summary.clear();  // a blank current line is accepted
  EXPECT_FALSE(voucher.check());
}

TEST(EntryChecks, LeavingALineNeedsADetailSubjectAndAnAmount) {
  const ChartLookup chart = smallChart();
  EXPECT_FALSE(LineCheck(line("", "10001", "0.01", "0"), chart));
  EXPECT_FALSE(LineCheck(line("", "10001", "0", "-3"), chart));
  EXPECT_EQ(LineCheck(line("", "100", "5", "0"), chart)->refusal.text, "科目'100'不是一个明细科目");
  EXPECT_EQ(LineCheck(line("", "10001", "0", "0"), chart)->refusal.text, "金额栏不能为0");
  VoucherLine zeros = line("", "10001", "0", "0");
  zeros.debitBuffer.typeDigit(0);
  zeros.debitBuffer.pointToDecimals();
  zeros.debitBuffer.typeDigit(0);
  EXPECT_EQ(LineCheck(zeros, chart)->refusal.text, "金额栏不能为0");
}

}  // namespace
}  // namespace qj::vouchers
