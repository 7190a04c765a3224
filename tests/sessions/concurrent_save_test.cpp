// Two bookkeepers saving vouchers in one month at the same time, and a
// session killed in the middle of its saves.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "data/connection.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "support/scratch_database.h"
#include "voucher_sessions.h"

namespace qj::test {
namespace {

class ConcurrentSave : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override { CreateSessionBook(scratch_.location()); }
  const std::string& book() const { return scratch_.location(); }

  std::int64_t count(const std::string& sql) {
    auto db = scratch_.open();
    return std::get<std::int64_t>(db->scalar(sql).storage());
  }

  // Every stored voucher whole: its header and its two lines, no line without a header.
  void expectEveryVoucherWhole() {
    EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE CREDID NOT IN (SELECT CREDID FROM VoucherMaster)"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster m WHERE (SELECT COUNT(*) FROM VoucherDetail d "
                    "WHERE d.CREDID=m.CREDID) <> 2"),
              0);
  }

  // The numbers 1..n without a gap, as sequence numbers and within the type.
  void expectNumberedWithoutGaps(std::int64_t n) {
    EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster"), n);
    EXPECT_EQ(count("SELECT COUNT(DISTINCT CREDNO) FROM VoucherMaster WHERE CREDNO BETWEEN 1 AND " + std::to_string(n)),
              n);
    EXPECT_EQ(
        count("SELECT COUNT(DISTINCT CREDCODE) FROM VoucherMaster WHERE CREDCODE BETWEEN 1 AND " + std::to_string(n)),
        n);
  }

  // Another session can take every lock a save or the screen holds.
  void expectLocksFree() {
    auto session = host::BookSession::Open(book());
    host::ScriptedMessageBoxes boxes;
    host::HostApplication app(*session, boxes, "检查");
    for (const char* name : {"CREDWLOCK", "CREDLOCK"}) {
      EXPECT_TRUE(app.SetLock(name, true, false)) << name;
      app.SetLock(name, false, false);
    }
  }

 private:
  ScratchDatabase scratch_{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(Engines, ConcurrentSave, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(ConcurrentSave, TwoSessionsSavingAThousandVouchersEachLoseNothingAndLeaveNoGaps) {
  auto first = SavingProcess(book(), kFirstBookkeeper, 1000);
  auto second = SavingProcess(book(), kSecondBookkeeper, 1000);
  EXPECT_TRUE(first->succeeded());
  EXPECT_TRUE(second->succeeded());
  expectNumberedWithoutGaps(2000);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE BILLMAKER='张会计'"), 1000);
  // The sessions really ran side by side: the maker changes between
  // neighbours more than once (how often depends on the scheduler).
  EXPECT_GT(count("SELECT COUNT(*) FROM VoucherMaster a JOIN VoucherMaster b ON b.CREDNO=a.CREDNO+1 "
                  "WHERE a.BILLMAKER<>b.BILLMAKER"),
            1);
  expectEveryVoucherWhole();
  expectLocksFree();
}

TEST_P(ConcurrentSave, ASessionKilledWhileSavingLeavesWholeVouchersAndNoLock) {
  for (const int ms : {150, 400, 900}) {
    auto doomed = SavingProcess(book(), kFirstBookkeeper, 100000);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    doomed->kill();
    expectEveryVoucherWhole();
    expectLocksFree();
  }
  const std::int64_t before = count("SELECT COUNT(*) FROM VoucherMaster");
  ASSERT_GT(before, 0) << "the sessions stored nothing before they were killed";
  // A new session carries on with the next numbers.
  auto next = SavingProcess(book(), kSecondBookkeeper, 10);
  EXPECT_TRUE(next->succeeded());
  expectNumberedWithoutGaps(before + 10);
}

}  // namespace
}  // namespace qj::test
