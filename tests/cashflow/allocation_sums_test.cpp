// A voucher's allocation totals and its cash amount.
#include "cashflow/allocation_sums.h"

#include <gtest/gtest.h>

#include "allocation_fixture.h"

namespace qj::test {
namespace {

using cashflow::AllocationSums;

class AllocationSumsTest : public AllocationTest {
 protected:
  void SetUp() override {
    AllocationTest::SetUp();
    subjects();
  }
};
QJ_ON_EVERY_ENGINE(AllocationSumsTest);

TEST_P(AllocationSumsTest, AllocationTotalsCountNullsAsZeroAndOnlyTheVoucherItself) {
  EXPECT_EQ(cashflow::AllocationSumsOf(db(), kVoucher), AllocationSums{});
  allocation(kVoucher, "0101", Money::parse("100.0001"), nullptr);
  allocation(kVoucher, "0102", nullptr, Money::parse("30.5"));
  allocation(kVoucher, "0201", nullptr, nullptr);
  allocation("201107000002", "0101", yuan(7), yuan(9));
  EXPECT_EQ(cashflow::AllocationSumsOf(db(), kVoucher),
            (AllocationSums{Money::parse("100.0001"), Money::parse("30.5")}));
}

TEST_P(AllocationSumsTest, CashAmountCountsOnlyCashLinesAndAVoucherIsProcessedWhenTheDifferencesMatch) {
  EXPECT_EQ(cashflow::VoucherCashAmount(db(), kVoucher), AllocationSums{});
  line(kVoucher, 0, "1001", yuan(120), {});
  line(kVoucher, 1, "1001", {}, Money::parse("20.25"));
  line(kVoucher, 2, "5001", {}, yuan(80));   // not a cash subject
  line(kVoucher, 3, "1002", yuan(500), {});  // VorCash null
  line("201107000002", 0, "1001", yuan(1), {});
  EXPECT_EQ(cashflow::VoucherCashAmount(db(), kVoucher), (AllocationSums{yuan(120), Money::parse("20.25")}));
  EXPECT_FALSE(cashflow::IsProcessed(db(), kVoucher));
  allocation(kVoucher, "0101", Money::parse("99.7501"), nullptr);
  EXPECT_FALSE(cashflow::IsProcessed(db(), kVoucher));
  db().execute("UPDATE FluxionDistribute SET DEBIT=:d", {{"d", Money::parse("99.75")}});
  EXPECT_TRUE(cashflow::IsProcessed(db(), kVoucher));
}

}  // namespace
}  // namespace qj::test
