#include "vouchers/voucher_queries.h"

#include <gtest/gtest.h>

#include "entry_fixture.h"

namespace qj::test {
namespace {

using namespace vouchers;

class VoucherReaderTest : public EntryTest {
 protected:
  std::optional<StoredVoucher> read(const std::string& credId) {
    return ReadVoucher(db(), credId, ChartLookup::load(db(), base::CodeStructure({3, 5, 7, 9})),
                       Currencies::load(db()));
  }
};
QJ_ON_EVERY_ENGINE(VoucherReaderTest);

TEST_P(VoucherReaderTest, AStoredVoucherComesBackWithItsLinesInOrder) {
  storeVoucher("201107000003", 1, 3,
               {{"50001", "100", "0", "付办公费"},
                {"1000202", "680", "0", "购汇", 1, "6.8", "100"},
                {"1000203", "0", "780", "付款", 2, "7.8", "100", true}});
  const auto voucher = read("201107000003");
  ASSERT_TRUE(voucher);
  EXPECT_EQ(voucher->header.credNo, 3);
  EXPECT_EQ(voucher->header.credCode, 3);
  EXPECT_EQ(voucher->header.credDate, Date(2011, 7, 10));
  EXPECT_EQ(voucher->header.billMaker, "测试员");
  EXPECT_EQ(voucher->header.printStyleId, 20);
  ASSERT_EQ(voucher->lines.size(), 3u);
  const VoucherLine& office = voucher->lines[0];
  EXPECT_EQ(office.summary, "付办公费");
  EXPECT_EQ(office.subjectFullName, "管理费用 → 办公费");
  EXPECT_EQ(office.debitBuffer.text(), "100.00");
  EXPECT_TRUE(office.creditBuffer.empty());  // a null credit reads as zero
  EXPECT_EQ(office.currencyName, "人民币");
  EXPECT_EQ(office.foreignSide, ForeignSide::None);
  const VoucherLine& dollars = voucher->lines[1];
  EXPECT_EQ(dollars.currencyName, "美元");
  EXPECT_EQ(dollars.rate, Money::parse("6.8"));
  EXPECT_EQ(dollars.foreignAmount, Money::parse("100"));
  EXPECT_EQ(dollars.foreignSide, ForeignSide::Debit);
  EXPECT_EQ(dollars.foreignMode, 1);
  EXPECT_TRUE(dollars.cashFlow);
  const VoucherLine& euros = voucher->lines[2];
  EXPECT_EQ(euros.currencyName, "欧元");
  EXPECT_EQ(euros.foreignSide, ForeignSide::Credit);
  EXPECT_EQ(euros.foreignBuffer.text(), "100.00");
  EXPECT_TRUE(euros.readOnly);
  EXPECT_FALSE(voucher->oversizedAmount);
  EXPECT_FALSE(read("201107000004"));
}

TEST_P(VoucherReaderTest, NeighboursRunOverTheWholeTableInIdentifierOrder) {
  int code = 0;
  for (const char* id : {"201106000009", "201107000001", "201107000005", "201108000002"})
    storeVoucher(id, 1, ++code, {});
  EXPECT_EQ(StoredCredIdBefore(db(), "201107000005"), "201107000001");
  EXPECT_EQ(StoredCredIdBefore(db(), "201107000001"), "201106000009");
  EXPECT_EQ(StoredCredIdBefore(db(), "201106000009"), std::nullopt);
  EXPECT_EQ(StoredCredIdAfter(db(), "201107000005"), "201108000002");
  EXPECT_EQ(StoredCredIdAfter(db(), "201107000003"), "201107000005");  // from a number not stored
  EXPECT_EQ(StoredCredIdAfter(db(), "201108000002"), std::nullopt);
}

TEST_P(VoucherReaderTest, StoredFlagsAreReadFromTheTable) {
  storeVoucher("201107000001", 1, 1, {}, "测试员", true, false);
  storeVoucher("201107000002", 1, 2, {}, "测试员", true, true);
  EXPECT_TRUE(ReadStoredFlags(db(), "201107000001").checked);
  EXPECT_FALSE(ReadStoredFlags(db(), "201107000001").posted);
  EXPECT_TRUE(ReadStoredFlags(db(), "201107000002").posted);
  EXPECT_FALSE(ReadStoredFlags(db(), "201107000009").checked);
}

}  // namespace
}  // namespace qj::test
