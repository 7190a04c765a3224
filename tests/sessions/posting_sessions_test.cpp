// Posting against other sessions: voucher entry, batch and reverse audit
// while another session posts are refused and change nothing; a session killed while it
// posts or closes leaves the balances and the flags as they were and no lock behind.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/book_session.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "periodend/batch_audit.h"
#include "periodend/period_close.h"
#include "periodend/posting.h"
#include "periodend/reverse_audit.h"
#include "support/scratch_database.h"
#include "voucher_sessions.h"
#include "vouchers/voucher_entry_model.h"

namespace qj::test {
namespace {

class PostingSessions : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override { CreateSessionBook(scratch_.location()); }
  const std::string& book() const { return scratch_.location(); }

  std::int64_t count(const std::string& sql) { return std::get<std::int64_t>(scratch_.open()->scalar(sql).storage()); }

  // `n` balanced two-line vouchers of July 2011, stored directly.
  void storeVouchers(int n) {
    auto db = scratch_.open();
    data::Transaction transaction(*db);
    for (int serial = 1; serial <= n; ++serial) {
      const std::string id = "201107" + IntToStr(serial, 6);
      db->execute(
          "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, CHECKFLAG, POSTFLAG, "
          "BILLMAKER) VALUES (:id, :no, 1, :no, :date, 'F', 'F', '制单员')",
          {{"id", id}, {"no", serial}, {"date", Date(2011, 7, 1 + serial % 28)}});
      const Money amount = Money::fromInteger(serial);
      db->execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis, MONEYID, DEBIT) VALUES (:id, 0, '101', "
          "'提现', 0, :amount)",
          {{"id", id}, {"amount", amount}});
      db->execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis, MONEYID, CREDIT) VALUES (:id, 1, '102', "
          "'提现', 0, :amount)",
          {{"id", id}, {"amount", amount}});
    }
    transaction.commit();
  }

 private:
  ScratchDatabase scratch_{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(Engines, PostingSessions, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(PostingSessions, NoVoucherEntryAndNoAuditRunsWhileAnotherSessionPosts) {
  storeVouchers(3);
  LockHoldingProcess posting(book(), "CREDLOCK");
  ASSERT_TRUE(posting.holding());
  auto session = host::BookSession::Open(book());
  host::ScriptedMessageBoxes boxes(true);
  host::HostApplication app(*session, boxes, host::kAdministrator);

  {
    vouchers::VoucherEntryModel screen(app, {});
    EXPECT_FALSE(screen.open());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "其他用户正在独占帐务操作，不能进行凭证制作。");
  }

  const auto batch = periodend::BatchAudit(app, periodend::DefaultAuditFilter(app.accountBooksData()), false);
  EXPECT_EQ(batch.result, periodend::BatchAuditResult::Refused);
  ASSERT_FALSE(boxes.shown().empty());
  EXPECT_EQ(boxes.shown().back().text, periodend::BatchAuditBusyRefusal().text);
  const auto reverse = periodend::ReverseAudit(app, periodend::DefaultReverseAuditRange(app.accountBooksData()));
  EXPECT_EQ(reverse.result, periodend::ReverseAuditResult::Refused);
  EXPECT_EQ(boxes.shown().back().text, periodend::ReverseAuditBusyRefusal().text);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CHECKFLAG='T'"), 0);

  posting.release();
  EXPECT_EQ(periodend::BatchAudit(app, periodend::DefaultAuditFilter(app.accountBooksData()), false).audited, 3);
}

TEST_P(PostingSessions, ASessionKilledWhilePostingLeavesBalancesAndFlagsAsTheyWereAndNoLock) {
  constexpr int kVouchers = 20000;
  storeVouchers(kVouchers);
  const std::string location = book();
  auto poster = std::make_unique<ChildProcess>([location] {
    auto session = host::BookSession::Open(location);
    host::ScriptedMessageBoxes boxes;
    host::HostApplication app(*session, boxes, host::kAdministrator);
    return periodend::RunPosting(app, true);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(GetParam() == data::Engine::Sqlite ? 300 : 600));
  poster->kill();

  const std::int64_t posted = count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'");
  const std::int64_t rows = count("SELECT COUNT(*) FROM Balance");
  EXPECT_TRUE((posted == 0 && rows == 0) || posted == kVouchers) << posted << " posted, " << rows << " rows";
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG NOT IN ('T', 'F')"), 0);

  // The ledger is free: this session posts the whole month.
  auto session = host::BookSession::Open(book());
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app(*session, boxes, host::kAdministrator);
  EXPECT_TRUE(periodend::RunPosting(app, true));
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), kVouchers);
  const auto cash = session->db().queryOne("SELECT EDEBIT FROM Balance WHERE MONEYID=0 AND SUBJECTID='101'");
  ASSERT_TRUE(cash);
  EXPECT_EQ(cash->money("EDEBIT"), Money::fromInteger(std::int64_t{kVouchers} * (kVouchers + 1) / 2));
}

TEST_P(PostingSessions, ASessionKilledWhileClosingLeavesTheMonthOpenOrClosedButNeverHalfway) {
  constexpr int kVouchers = 20000;
  storeVouchers(kVouchers);
  {
    auto session = host::BookSession::Open(book());
    host::ScriptedMessageBoxes boxes;
    host::HostApplication app(*session, boxes, host::kAdministrator);
    ASSERT_TRUE(periodend::RunPosting(app, true));
  }
  const std::string location = book();
  auto closer = std::make_unique<ChildProcess>([location] {
    auto session = host::BookSession::Open(location);
    host::ScriptedMessageBoxes boxes;
    host::HostApplication app(*session, boxes, host::kAdministrator);
    return periodend::RunPeriodClose(app);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(GetParam() == data::Engine::Sqlite ? 150 : 300));
  closer->kill();

  const std::int64_t month = count("SELECT CURRMON FROM AccountState");
  const std::int64_t augustRows = count("SELECT COUNT(*) FROM Balance WHERE YEARMON='201108'");
  EXPECT_TRUE((month == 7 && augustRows == 0) || (month == 8 && augustRows > 0))
      << "month " << month << ", " << augustRows << " August rows";

  // The book is free and whole: this session closes (when the killed one had
  // not) and reopens the month.
  auto session = host::BookSession::Open(book());
  host::ScriptedMessageBoxes boxes(true);
  host::HostApplication app(*session, boxes, host::kAdministrator);
  if (month == 7) {
    EXPECT_TRUE(periodend::RunPeriodClose(app));
  }
  EXPECT_TRUE(periodend::RunReopenPeriod(app, false));
  EXPECT_EQ(count("SELECT CURRMON FROM AccountState"), 7);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Balance WHERE YEARMON='201108'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), kVouchers);
}

}  // namespace
}  // namespace qj::test
