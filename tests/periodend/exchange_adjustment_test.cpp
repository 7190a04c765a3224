// The period-end exchange adjustment: the voucher it builds, the balances it
// leaves once posted, and every refusal leaving the book as it was.
#include "periodend/exchange_adjustment.h"

#include <gtest/gtest.h>

#include "posting_fixture.h"

namespace qj::test {
namespace {

periodend::ForeignBalance dollars(const char* subject, const char* rate, const char* rawEnd, const char* localEnd) {
  periodend::ForeignBalance row;
  row.subject = subject;
  row.moneyId = 1;
  row.rate = Yuan(rate);
  const Money raw = Yuan(rawEnd);
  const Money local = Yuan(localEnd);
  (raw < Money() ? row.endRawCredit : row.endRawDebit) = raw.abs();
  (local < Money() ? row.endCredit : row.endDebit) = local.abs();
  return row;
}

TEST(ExchangeAdjustmentVoucher, EachDifferenceAgainstTheGainLossSubjectAndNoneWhereNothingDiffers) {
  const periodend::AdjustmentSetting setting{Date(2011, 7, 31), 1, "511", ""};
  const auto made = periodend::BuildExchangeAdjustment(
      {dollars("10201", "7", "100", "680"), dollars("10202", "7", "10", "70"), dollars("20101", "7", "-50", "-330")},
      setting);
  ASSERT_TRUE(made);
  ASSERT_EQ(made->lines.size(), 3u);
  // A debit balance worth more is debited; a credit balance worth more is credited.
  EXPECT_EQ(made->lines[0].subjectCode, "10201");
  EXPECT_EQ(made->lines[0].debit, Yuan("20"));
  EXPECT_EQ(made->lines[0].rate, Yuan("7"));
  EXPECT_EQ(made->lines[1].subjectCode, "20101");
  EXPECT_EQ(made->lines[1].credit, Yuan("20"));
  EXPECT_EQ(made->lines[2].subjectCode, "511");
  EXPECT_TRUE(made->lines[2].debit.isZero() && made->lines[2].credit.isZero());  // the two cancel out
  EXPECT_EQ(made->header.sourceKind, periodend::kExchangeAdjustmentKind);
  EXPECT_FALSE(made->header.checked);
  EXPECT_FALSE(periodend::BuildExchangeAdjustment({dollars("10202", "7", "10", "70")}, setting));
}

class ExchangeAdjustment : public PostingTest {
 protected:
  void SetUp() override {
    PostingTest::SetUp();
    addDetail("511");
    db().execute("INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (1, '美元', :rate)", {{"rate", Yuan("6.8")}});
    const std::string bought = voucher(1, true);
    line(bought, "1020201", Yuan("680"), {}, kDollar, Yuan("100"));
    line(bought, "101", {}, Yuan("680"));
    post();
  }
  std::optional<periodend::AdjustmentOutcome> adjust(const char* rate, const std::string& subject = "511") {
    std::map<int, Money> rates;
    if (rate) rates[kDollar] = Yuan(rate);
    return periodend::RunExchangeAdjustment(host(), rates, subject, true);
  }
  std::string lastMessage() { return host().messages.empty() ? std::string() : host().messages.back().text; }
  std::int64_t vouchers() { return data::IntegerOf(db().scalar("SELECT COUNT(*) FROM VoucherMaster")); }
  Money storedRate() { return db().queryOne("SELECT RATE FROM Currency WHERE MONEYID=1")->money("RATE"); }
};
QJ_ON_EVERY_ENGINE(ExchangeAdjustment);

TEST_P(ExchangeAdjustment, PostedAtOnceEveryForeignBalanceStandsAtItsPeriodEndRate) {
  db().execute("UPDATE AccountState SET MUSTCHECK='T'");  // the voucher is made audited, so it posts all the same
  const auto outcome = adjust("7");
  ASSERT_TRUE(outcome) << lastMessage();
  ASSERT_TRUE(outcome->credId);
  EXPECT_TRUE(outcome->posted);
  EXPECT_EQ(storedRate(), Yuan("7"));
  const auto dollar = balance(kDollar, "1020201");
  ASSERT_TRUE(dollar);
  EXPECT_EQ(dollar->money("EDEBIT"), Yuan("700"));
  EXPECT_EQ(dollar->money("ERAWDEBIT"), Yuan("100"));
  EXPECT_EQ(balance(0, "511")->money("ECREDIT"), Yuan("20"));
  expectBalanceRules();

  const auto again = adjust(nullptr);
  ASSERT_TRUE(again) << lastMessage();
  EXPECT_FALSE(again->credId);
  EXPECT_EQ(vouchers(), 2);
}

TEST_P(ExchangeAdjustment, RefusalsLeaveTheBookAsItWas) {
  const auto before = balanceTable();
  const auto refused = [&](const char* rate, const std::string& subject, const std::string& message) {
    EXPECT_FALSE(adjust(rate, subject));
    EXPECT_NE(lastMessage().find(message), std::string::npos) << lastMessage();
    EXPECT_EQ(vouchers(), 1);
    EXPECT_EQ(storedRate(), Yuan("6.8"));
    EXPECT_EQ(balanceTable(), before);
    EXPECT_TRUE(host().heldLocks.empty());
  };
  refused("0", "511", periodend::kRateRefused);
  refused("-7", "511", periodend::kRateRefused);
  refused("7", "", "汇兑损益科目不存在");
  refused("7", "512", "汇兑损益科目不存在");
  refused("7", "102", "汇兑损益科目为非明细科目");
  db().execute("UPDATE Currency SET RATE=NULL WHERE MONEYID=1");
  EXPECT_FALSE(adjust(nullptr));
  EXPECT_EQ(lastMessage(), std::string(periodend::kRateRefused) + "（币种 1）");
  db().execute("UPDATE Currency SET RATE=:rate WHERE MONEYID=1", {{"rate", Yuan("6.8")}});
  host().refusedLocks.insert("CREDLOCK");
  refused("7", "511", "期末调汇需独占帐务系统");
  host().refusedLocks.clear();
  const std::string waiting = voucher(2, true);
  line(waiting, "101", Yuan("1"), {});
  line(waiting, "501", {}, Yuan("1"));
  EXPECT_FALSE(adjust("7"));
  EXPECT_EQ(lastMessage(), periodend::kAdjustmentUnposted);
  EXPECT_EQ(storedRate(), Yuan("6.8"));
}

}  // namespace
}  // namespace qj::test
