#include "vouchers/voucher_types.h"

#include <gtest/gtest.h>

#include "support/package_fixture.h"

namespace qj::test {
namespace {

using vouchers::DefaultVoucherType;
using vouchers::OfferedVoucherTypes;
using vouchers::VoucherType;

class VoucherTypes : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    // Stored out of order: the list is ordered by ID, not by the table.
    for (const VoucherType& type : std::vector<VoucherType>{{9, "转"},
                                                            {4, "转"},
                                                            {1, "记"},
                                                            {3, "付"},
                                                            {2, "收"},
                                                            {5, "现收"},
                                                            {7, "银收"},
                                                            {6, "现付"},
                                                            {8, "银付"},
                                                            {12, "其他"}})
      db().execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (:id, :name)",
                   {{"id", type.id}, {"name", type.name}});
  }
};
QJ_ON_EVERY_ENGINE(VoucherTypes);

TEST_P(VoucherTypes, EachSchemeOffersItsTypesInIdOrder) {
  EXPECT_EQ(OfferedVoucherTypes(db(), 1), (std::vector<VoucherType>{{1, "记"}}));
  EXPECT_EQ(OfferedVoucherTypes(db(), 2), (std::vector<VoucherType>{{2, "收"}, {3, "付"}, {4, "转"}}));
  const std::vector<VoucherType> cashAndBank = {{5, "现收"}, {6, "现付"}, {7, "银收"},
                                                {8, "银付"}, {9, "转"},   {12, "其他"}};
  EXPECT_EQ(OfferedVoucherTypes(db(), 3), cashAndBank);
  // Any scheme other than 1 and 2 filters as scheme 3.
  EXPECT_EQ(OfferedVoucherTypes(db(), 0), cashAndBank);
  EXPECT_EQ(OfferedVoucherTypes(db(), 7), cashAndBank);
}

TEST_P(VoucherTypes, AnEmptyPeriodProposesTheSchemesFallback) {
  addVoucher("201106000009", 2, 1);  // other months do not count
  addVoucher("201108000001", 3, 1);
  EXPECT_EQ(DefaultVoucherType(db(), Period{2011, 7}, 1), 1);
  EXPECT_EQ(DefaultVoucherType(db(), Period{2011, 7}, 2), 4);
  // Scheme 3 does not offer 4; the screen shows the type empty until one is chosen.
  EXPECT_EQ(DefaultVoucherType(db(), Period{2011, 7}, 3), 4);
}

TEST_P(VoucherTypes, TheProposedTypeIsThatOfTheHighestIdentifierNotTheLastStored) {
  addVoucher("201107000003", 3, 1);
  addVoucher("201107000007", 2, 1);
  addVoucher("201107000001", 4, 1);
  addVoucher("201107000005", 3, 2);
  addVoucher("201108000009", 4, 2);
  EXPECT_EQ(DefaultVoucherType(db(), Period{2011, 7}, 2), 2);
  db().execute("DELETE FROM VoucherMaster WHERE CREDID='201107000007'");
  EXPECT_EQ(DefaultVoucherType(db(), Period{2011, 7}, 2), 3);
  EXPECT_EQ(DefaultVoucherType(db(), Period{2011, 8}, 1), 4);  // the scheme does not filter a stored type
}

}  // namespace
}  // namespace qj::test
