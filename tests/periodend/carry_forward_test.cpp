// The profit-and-loss carry-forward: the vouchers it builds, what posting
// them leaves in Balance, and every refusal leaving the book as it was.
#include "periodend/carry_forward.h"

#include <gtest/gtest.h>

#include <random>

#include "posting_fixture.h"

namespace qj::test {
namespace {

using periodend::CarryDirection;

// Σ debit and Σ credit of a built voucher's lines.
std::pair<Money, Money> sides(const vouchers::CheckedVoucher& voucher) {
  Money debit;
  Money credit;
  for (const auto& line : voucher.lines) {
    debit += line.debit;
    credit += line.credit;
  }
  return {debit, credit};
}

std::string lineText(const vouchers::VoucherLine& line) {
  std::string text = line.subjectCode + " " + line.debit.toString(2) + "/" + line.credit.toString(2);
  if (line.moneyId != 0)
    text += " " + std::to_string(line.moneyId) + ":" + line.foreignAmount.toString(2) + "@" + line.rate.toString(4);
  return text;
}

std::vector<std::string> linesOf(const vouchers::CheckedVoucher& voucher) {
  std::vector<std::string> out;
  for (const auto& line : voucher.lines) out.push_back(lineText(line));
  return out;
}

periodend::ProfitLossBalance row(const char* subject, bool debitSide, const char* endDebit, const char* endCredit,
                                 int moneyId = 0, const char* rawDebit = "0", const char* rawCredit = "0") {
  return {subject, moneyId, debitSide, Yuan(endDebit), Yuan(endCredit), Yuan(rawDebit), Yuan(rawCredit)};
}

TEST(CarryForwardVouchers, IncomeThenExpensesEachWithItsBalancingLineFirst) {
  const periodend::CarrySetting setting{Date(2011, 7, 31), 1, "3131", CarryDirection::AlwaysPositive};
  const auto made = periodend::BuildCarryForwardVouchers(
      {row("501", false, "0", "1000"), row("502", true, "600", "0"), row("503", true, "68", "0", 1, "10", "0"),
       row("504", false, "0", "5", 1, "0", "0")},
      setting);
  ASSERT_EQ(made.size(), 2u);
  // Credit endings: debited out, the profit subject credited with their total.
  EXPECT_EQ(linesOf(made[0]),
            (std::vector<std::string>{"3131 0.00/1005.00", "501 1000.00/0.00", "504 5.00/0.00 1:0.00@1.0000"}));
  // Debit endings: credited out; a foreign row at local net ÷ foreign net.
  EXPECT_EQ(linesOf(made[1]),
            (std::vector<std::string>{"3131 668.00/0.00", "502 0.00/600.00", "503 0.00/68.00 1:10.00@6.8000"}));
  for (const auto& voucher : made) {
    EXPECT_EQ(voucher.header.billMaker, "机制");
    EXPECT_EQ(voucher.header.sourceKind, periodend::kCarryForwardKind);
    EXPECT_EQ(voucher.header.credDate, Date(2011, 7, 31));
    EXPECT_EQ(voucher.lines.front().summary, "结转本期损益");
  }

  // Opposite to the subject's direction: an income subject ending on the
  // debit side is debited with a negative amount, and balanced on the side
  // that has no line yet.
  const auto opposite = periodend::BuildCarryForwardVouchers(
      {row("501", false, "40", "0")}, {setting.date, 1, "3131", CarryDirection::OppositeToSubject});
  ASSERT_EQ(opposite.size(), 1u);
  EXPECT_EQ(linesOf(opposite[0]), (std::vector<std::string>{"3131 0.00/-40.00", "501 -40.00/0.00"}));
  EXPECT_TRUE(periodend::BuildCarryForwardVouchers({}, setting).empty());
}

TEST(CarryForwardVouchers, EveryVoucherBalancesForAnySignsInBothModes) {
  std::mt19937 random(20111231);
  std::uniform_int_distribution<int> cents(-500000, 500000);
  std::uniform_int_distribution<int> count(1, 12);
  for (int run = 0; run < 400; ++run) {
    std::vector<periodend::ProfitLossBalance> rows;
    const int n = count(random);
    for (int i = 0; i < n; ++i) {
      const Money amount = Money::fromUnits(std::int64_t{cents(random)} * 100);
      const bool debitEnding = amount < Money();
      periodend::ProfitLossBalance balance;
      balance.subject = "5" + std::to_string(100 + i);
      balance.moneyId = i % 3;
      balance.debitSide = random() % 2 == 0;
      (debitEnding ? balance.endDebit : balance.endCredit) = amount.abs();
      if (balance.moneyId != 0) (debitEnding ? balance.endRawDebit : balance.endRawCredit) = amount.abs().times(2);
      rows.push_back(balance);
    }
    for (const auto direction : {CarryDirection::AlwaysPositive, CarryDirection::OppositeToSubject}) {
      for (const auto& voucher :
           periodend::BuildCarryForwardVouchers(rows, {Date(2011, 7, 31), 1, "3131", direction})) {
        const auto [debit, credit] = sides(voucher);
        ASSERT_EQ(debit, credit) << "run " << run;
      }
    }
  }
}

class CarryForward : public PostingTest {
 protected:
  void SetUp() override {
    PostingTest::SetUp();
    db().execute("UPDATE Subject SET DCFLAG='F' WHERE SUBJECTID='501'");
    addDetail("502");
    addDetail("503");
    db().execute("UPDATE Subject SET VorWBFlag=1, MONEYID=1 WHERE SUBJECTID='503'");
    db().execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES ('313', '本年利润', 'F', 'T')");
    host().reserved[periodend::kCurrentYearProfitEntry] = "313";

    const std::string sale = voucher(1, true);
    line(sale, "101", Yuan("1000"), {});
    line(sale, "501", {}, Yuan("1000"));
    const std::string cost = voucher(2, true);
    line(cost, "502", Yuan("600"), {});
    line(cost, "101", {}, Yuan("600"));
    const std::string fees = voucher(3, true);
    line(fees, "503", Yuan("68"), {}, kDollar, Yuan("10"));
    line(fees, "101", {}, Yuan("68"));
    post();
  }
  std::int64_t vouchers() { return data::IntegerOf(db().scalar("SELECT COUNT(*) FROM VoucherMaster")); }
  std::string lastMessage() { return host().messages.empty() ? std::string() : host().messages.back().text; }
  std::string text(const std::string& sql) { return data::TextOf(db().scalar(sql)); }
  Money ending(const std::string& subject, int moneyId = 0) {
    const auto row = balance(moneyId, subject);
    return row ? row->money("EDEBIT") - row->money("ECREDIT") : Money();
  }
};
QJ_ON_EVERY_ENGINE(CarryForward);

TEST_P(CarryForward, PostedAtOnceItEmptiesTheProfitAndLossSubjectsIntoTheYearsProfit) {
  const auto outcome = periodend::RunCarryForward(host(), CarryDirection::AlwaysPositive, true);
  ASSERT_TRUE(outcome) << lastMessage();
  EXPECT_EQ(outcome->credIds, (std::vector<std::string>{"201107000004", "201107000005"}));
  EXPECT_EQ(outcome->posted, 2);
  EXPECT_FALSE(outcome->postingFailure);
  for (const char* subject : {"501", "502", "503"}) EXPECT_EQ(ending(subject), Money()) << subject;
  EXPECT_EQ(ending("503", kDollar), Money());
  EXPECT_EQ(ending("313"), -Yuan("332"));  // 1,000 income less 668 expenses, on the credit side
  EXPECT_EQ(text("SELECT BILLMAKER FROM VoucherMaster WHERE CREDID='201107000005'"), "机制");
  expectBalanceRules();

  // Nothing is left to carry: a second run makes nothing.
  const auto again = periodend::RunCarryForward(host(), CarryDirection::AlwaysPositive, true);
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->credIds.empty());
  EXPECT_EQ(vouchers(), 5);
}

TEST_P(CarryForward, RefusalsLeaveTheBookAsItWas) {
  const auto before = balanceTable();
  const auto refused = [&](const std::string& message) {
    EXPECT_FALSE(periodend::RunCarryForward(host(), CarryDirection::AlwaysPositive, true));
    EXPECT_NE(lastMessage().find(message), std::string::npos) << lastMessage();
    EXPECT_EQ(vouchers(), 3);
    EXPECT_EQ(balanceTable(), before);
  };
  host().refusedLocks.insert("CREDLOCK");
  refused("结转损益需独占帐务系统");
  host().refusedLocks.clear();

  host().reserved.erase(periodend::kCurrentYearProfitEntry);
  refused("帐套没有设置本年利润科目（保留科目 16）");
  host().reserved[periodend::kCurrentYearProfitEntry] = "314";
  refused("本年利润科目 314 不存在");
  host().reserved[periodend::kCurrentYearProfitEntry] = "102";
  refused("本年利润科目 102 不是明细科目");
  host().reserved[periodend::kCurrentYearProfitEntry] = "313";

  const std::string late = voucher(4, true);
  line(late, "502", Yuan("1"), {});
  line(late, "101", {}, Yuan("1"));
  EXPECT_FALSE(periodend::RunCarryForward(host(), CarryDirection::AlwaysPositive, true));
  EXPECT_EQ(lastMessage(), periodend::kCarryUnposted);
  EXPECT_EQ(vouchers(), 4);
}

TEST_P(CarryForward, WhereVouchersMustBeAuditedTheCarryVouchersWaitUnposted) {
  db().execute("UPDATE AccountState SET MUSTCHECK='T'");
  const auto outcome = periodend::RunCarryForward(host(), CarryDirection::AlwaysPositive, true);
  ASSERT_TRUE(outcome) << lastMessage();
  EXPECT_EQ(outcome->credIds.size(), 2u);
  EXPECT_EQ(outcome->posted, 0);
  EXPECT_EQ(ending("501"), -Yuan("1000"));
  EXPECT_EQ(text("SELECT POSTFLAG FROM VoucherMaster WHERE CREDID='201107000004'"), "F");
}

}  // namespace
}  // namespace qj::test
