#include <gtest/gtest.h>

#include "support/package_fixture.h"

namespace qj::test {
namespace {

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

TEST_P(VoucherNumbering, AFullMonthShowsTheCapacityMessageAndYieldsNoIdentifier) {
  addVoucher("201107999998", 1, 1);
  EXPECT_EQ(nextCredId(Date(2011, 7, 1)), "201107999999");
  addVoucher("201107999999", 1, 2);
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
  addVoucher("201107999999", 2, 8);  // the last serial of the month still counts
  EXPECT_EQ(nextTypeCode(Date(2011, 7, 20), 2), 9);
  EXPECT_EQ(nextTypeCode(Date(2011, 7, 20), 3), 10);
  EXPECT_EQ(nextTypeCode(Date(2011, 7, 20), 4), 1);
  EXPECT_EQ(nextTypeCode(Date(2011, 8, 20), 2), 21);
}

}  // namespace
}  // namespace qj::test
