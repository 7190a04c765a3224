#include "vouchers/voucher_numbering_queries.h"

#include <gtest/gtest.h>

#include "support/package_fixture.h"

namespace qj::test {
namespace {

using vouchers::NextCredId;
using vouchers::NextTypeCode;

const Period kJuly{2011, 7};
const Period kAugust{2011, 8};

class VoucherNumbering : public PackageTest {
 protected:
  std::string nextCredId(const Date& date) {
    VorParams bag;
    bag.AddValue("asDate", date);
    return call("GETCREDCODE", bag).GetString("CredID");
  }
  std::int64_t nextTypeCode(const Date& date, std::int64_t type) {
    VorParams bag;
    bag.AddValue("asDate", date);
    bag.AddValue("asCredID", type);
    return call("GETAccountVoucherTypeCODE", bag).GetInteger("iAccountVoucherType");
  }
};
QJ_ON_EVERY_ENGINE(VoucherNumbering);

TEST_P(VoucherNumbering, NextIdentifierFollowsTheHighestOfItsOwnMonthOnly) {
  EXPECT_EQ(nextCredId(Date(2011, 7, 1)), "201107000001");
  addVoucher("201107000005", 1, 1);
  addVoucher("201107000002", 1, 2);
  addVoucher("201108000009", 1, 1);
  addVoucher("201106000042", 1, 1);
  EXPECT_EQ(nextCredId(Date(2011, 7, 31)), "201107000006");
  EXPECT_EQ(nextCredId(Date(2011, 8, 1)), "201108000010");
  EXPECT_EQ(nextCredId(Date(2011, 9, 1)), "201109000001");
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(VoucherNumbering, ADeletedSerialIsNotHandedOutAgain) {
  for (int serial = 1; serial <= 5; ++serial) addVoucher("20110700000" + std::to_string(serial), 1, serial);
  db().execute("DELETE FROM VoucherMaster WHERE CREDID='201107000003'");
  EXPECT_EQ(NextCredId(db(), kJuly), "201107000006");
  db().execute("DELETE FROM VoucherMaster WHERE CREDID='201107000005'");
  EXPECT_EQ(NextCredId(db(), kJuly), "201107000005");  // only the highest counts
}

TEST_P(VoucherNumbering, AFullMonthShowsTheCapacityMessageAndYieldsNoIdentifier) {
  addVoucher("201107999998", 1, 1);
  EXPECT_EQ(nextCredId(Date(2011, 7, 1)), "201107999999");
  addVoucher("201107999999", 1, 2);
  EXPECT_EQ(NextCredId(db(), kJuly), std::nullopt);
  EXPECT_EQ(NextCredId(db(), kAugust), "201108000001");
  EXPECT_EQ(nextCredId(Date(2011, 7, 1)), "");
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "本期间凭证数已达到一百万，\r\n超出本系统最大接受能力");
  EXPECT_EQ(host().messages[0].caption, "出错信息");
  EXPECT_EQ(host().messages[0].flags, msgbox::IconWarning);
}

TEST_P(VoucherNumbering, NumberWithinTypeCountsOnlyThatTypeAndMonth) {
  EXPECT_EQ(nextTypeCode(Date(2011, 7, 1), 2), 1);
  addVoucher("201107000001", 2, 3);
  addVoucher("201107000002", 2, 7);
  addVoucher("201107000003", 3, 9);
  addVoucher("201108000001", 2, 20);
  addVoucher("201107999999", 2, 8);                  // the last serial of the month still counts
  EXPECT_EQ(nextTypeCode(Date(2011, 7, 20), 2), 9);  // gaps below the highest are not refilled
  EXPECT_EQ(nextTypeCode(Date(2011, 7, 20), 3), 10);
  EXPECT_EQ(nextTypeCode(Date(2011, 7, 20), 4), 1);
  EXPECT_EQ(nextTypeCode(Date(2011, 8, 20), 2), 21);
  EXPECT_EQ(nextTypeCode(Date(2011, 9, 1), 2), 1);
}

// A stored voucher keeps its number while its type and month are those it is
// stored with; any other type or month gives the next number there.
TEST_P(VoucherNumbering, AStoredVoucherKeepsItsNumberOnlyInItsOwnTypeAndMonth) {
  addVoucher("201107000001", 2, 7);  // the voucher being edited
  addVoucher("201107000002", 2, 8);
  addVoucher("201107000003", 3, 4);
  addVoucher("201108000001", 2, 3);
  addVoucher("201108000002", 3, 5);
  const std::string stored = "201107000001";
  struct Case {
    const char* what;
    Period period;
    std::int64_t type;
    std::string storedId;
    std::int64_t expected;
  };
  const Case cases[] = {
      {"new voucher of type 2", kJuly, 2, "", 9},
      {"own type", kJuly, 2, stored, 7},
      {"changed to type 3", kJuly, 3, stored, 5},
      {"back to type 2", kJuly, 2, stored, 7},
      // Moved to August, where its new identifier may even be another voucher's
      // (201108000001, type 2, number 3): it gets August's next number.
      {"moved to August", kAugust, 2, stored, 4},
      {"moved to August as type 3", kAugust, 3, stored, 6},
      {"identifier nobody holds", kJuly, 2, "201107000077", 9},
  };
  for (const Case& c : cases) EXPECT_EQ(NextTypeCode(db(), c.period, c.type, c.storedId), c.expected) << c.what;
}

TEST_P(VoucherNumbering, AStoredVoucherWithoutANumberGetsTheNextOne) {
  addVoucher("201107000001", 2, 4);
  db().execute("INSERT INTO VoucherMaster (CREDID, AccountVoucherTypeID) VALUES ('201107000002', 2)");
  EXPECT_EQ(NextTypeCode(db(), kJuly, 2, "201107000002"), 5);
}

TEST_P(VoucherNumbering, CredIdExistsIsAnExactLookup) {
  addVoucher("201107000012", 1, 1);
  EXPECT_TRUE(vouchers::CredIdExists(db(), "201107000012"));
  for (const char* other : {"201107000013", "20110700001", "201107000012 ", "", "201107%"})
    EXPECT_FALSE(vouchers::CredIdExists(db(), other)) << other;
}

}  // namespace
}  // namespace qj::test
