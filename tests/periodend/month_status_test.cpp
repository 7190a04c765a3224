// The month's counts behind the home page: what waits for audit and posting,
// and whether the carry-forward ran.
#include "periodend/month_status_queries.h"

#include "periodend/posting_fixture.h"

namespace qj::test {
namespace {

class MonthStatus : public PostingTest {
 protected:
  periodend::MonthVoucherCounts counts(bool mustCheck) {
    return periodend::CountMonthVouchers(db(), Period{2011, 7}, mustCheck);
  }
};
QJ_ON_EVERY_ENGINE(MonthStatus);

TEST_P(MonthStatus, CountsTheMonthsVouchersByTheirFlags) {
  EXPECT_EQ(counts(true).vouchers, 0);
  voucher(1);        // neither audited nor posted
  voucher(2, true);  // audited
  voucher(3, true);  // audited and posted
  voucher(4);        // flags never written
  db().execute("UPDATE VoucherMaster SET POSTFLAG='T' WHERE CREDID='201107000003'");
  db().execute("UPDATE VoucherMaster SET CHECKFLAG=NULL, POSTFLAG=NULL WHERE CREDID='201107000004'");
  // Another month's vouchers do not count.
  db().execute("INSERT INTO VoucherMaster (CREDID, CREDNO, CHECKFLAG, POSTFLAG) VALUES ('201108000001', 1, 'F', 'F')");

  const auto strict = counts(true);
  EXPECT_EQ(strict.vouchers, 4);
  EXPECT_EQ(strict.unaudited, 2);
  EXPECT_EQ(strict.unposted, 3);
  EXPECT_EQ(strict.postable, 1);  // only the audited, unposted one
  EXPECT_FALSE(strict.carried);
  EXPECT_EQ(counts(false).postable, 3);

  voucher(5, false, 100);  // the profit-and-loss carry-forward
  EXPECT_TRUE(counts(false).carried);
}

}  // namespace
}  // namespace qj::test
