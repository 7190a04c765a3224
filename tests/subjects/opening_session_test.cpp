#include "subjects/opening_session.h"

#include "subjects/opening_fixture.h"

namespace qj::test {
namespace {

using subjects::OpeningEntry;
using subjects::RunOpeningSession;

using OpeningSession = OpeningTest;
QJ_ON_EVERY_ENGINE(OpeningSession);

constexpr const char* kStartPeriod = "只有在开帐期间，且无任何凭证登帐的情况下，才可以对帐务初始数据进行调整。";

TEST_P(OpeningSession, AnAdjustmentNeedsTheStartPeriodAndTheLedgerLock) {
  int shown = 0;
  const auto show = [&] { ++shown; };
  addVoucher("201107000001", 1, 1, true);
  EXPECT_FALSE(RunOpeningSession(host(), OpeningEntry::Adjustment, show));
  EXPECT_EQ(host().messages.back().text, kStartPeriod);
  EXPECT_EQ(host().messages.back().caption, "青简财务提示");

  db().execute("UPDATE VoucherMaster SET POSTFLAG='F'");
  host().refusedLocks.insert("CREDLOCK");
  EXPECT_FALSE(RunOpeningSession(host(), OpeningEntry::Adjustment, show));
  EXPECT_EQ(host().messages.back().caption, "青简财务");
  host().refusedLocks.clear();

  // Another user closed July while this one waited for the lock.
  db().execute("UPDATE AccountState SET CURRMON=8");
  EXPECT_FALSE(RunOpeningSession(host(), OpeningEntry::Adjustment, show));
  EXPECT_EQ(host().messages.back().text, kStartPeriod);
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(OpeningSession, EveryWayOutReleasesTheLock) {
  const auto failing = [] { throw std::runtime_error("x"); };
  EXPECT_THROW(RunOpeningSession(host(), OpeningEntry::Adjustment, failing), std::runtime_error);
  EXPECT_THROW(RunOpeningSession(host(), OpeningEntry::FirstTime, failing), std::runtime_error);
  EXPECT_TRUE(host().heldLocks.empty());

  host().refusedLocks.insert("ACCLOCK");
  addVoucher("201107000001", 1, 1, true);  // the first-time entry does not ask for the start period
  EXPECT_FALSE(RunOpeningSession(host(), OpeningEntry::FirstTime, [] {}));
  EXPECT_EQ(host().messages.back().text, "帐套初始化已锁定，请稍后再试！");
}

}  // namespace
}  // namespace qj::test
