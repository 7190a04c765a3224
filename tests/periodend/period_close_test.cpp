// Closing and reopening a month: the refusals, the profit and loss recorded,
// the rolls into the next month, and reopening as the exact undoing of a close.
#include "periodend/period_close.h"

#include <gtest/gtest.h>

#include "periodend/carry_forward.h"
#include "posting_fixture.h"

namespace qj::test {
namespace {

class PeriodClose : public PostingTest {
 protected:
  void SetUp() override {
    PostingTest::SetUp();
    db().execute("UPDATE Subject SET DCFLAG='F' WHERE SUBJECTID='501'");
    addSummary("502");
    addDetail("50201");
    db().execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES ('313', '本年利润', 'F', 'T')");
    host().reserved[periodend::kCurrentYearProfitEntry] = "313";
    const std::string sale = voucher(1, true);
    line(sale, "101", Yuan("1000"), {});
    line(sale, "501", {}, Yuan("1000"));
    const std::string cost = voucher(2, true);
    line(cost, "50201", Yuan("600"), {});
    line(cost, "101", {}, Yuan("600"));
    post();
  }

  // Every row of the period tables and the book's state, as text.
  std::vector<std::string> periodTables() {
    std::vector<std::string> out = balanceTable();
    for (const char* sql :
         {"SELECT * FROM ProfitAndLoss ORDER BY YEARMON, SUBJECTID",
          "SELECT * FROM FixedAssetsSurplus ORDER BY YEARMON, ID", "SELECT CURRYEAR, CURRMON FROM AccountState"})
      for (const data::Row& row : db().query(sql)) {
        std::string text = sql;
        for (std::size_t i = 0; i < row.size(); ++i) text += "|" + (row.at(i).isNull() ? "~" : data::TextOf(row.at(i)));
        out.push_back(text);
      }
    return out;
  }
  std::string lastMessage() { return host().messages.empty() ? std::string() : host().messages.back().text; }
  Money profitLoss(const char* month, const char* subject, const char* column) {
    const auto row =
        db().queryOne("SELECT * FROM ProfitAndLoss WHERE YEARMON=:m AND SUBJECTID=:s", {{"m", month}, {"s", subject}});
    return row ? row->money(column) : Money();
  }
  void carry() { ASSERT_TRUE(periodend::RunCarryForward(host(), periodend::CarryDirection::AlwaysPositive, true)); }
};
QJ_ON_EVERY_ENGINE(PeriodClose);

TEST_P(PeriodClose, RefusedWhileVouchersWaitOrProfitAndLossIsNotCarriedAndNothingChanges) {
  const std::string waiting = voucher(3, false);
  line(waiting, "101", Yuan("1"), {});
  line(waiting, "501", {}, Yuan("1"));
  const auto before = periodTables();
  EXPECT_FALSE(periodend::RunPeriodClose(host()));
  EXPECT_EQ(lastMessage(), "本期尚有1张凭证未登帐，其中1张是未审核过的，不能进行结帐");
  EXPECT_EQ(periodTables(), before);
  post();
  EXPECT_FALSE(periodend::RunPeriodClose(host()));
  EXPECT_EQ(lastMessage(), periodend::kProfitLossLeft);
  EXPECT_EQ(host().book.CurrMon, 7);
  host().refusedLocks.insert("ACCLOCK");
  carry();
  EXPECT_FALSE(periodend::RunPeriodClose(host()));
  EXPECT_EQ(lastMessage(), periodend::kCloseLockRefused);
  host().refusedLocks.clear();
  EXPECT_FALSE(periodend::RunReopenPeriod(host(), false));
  EXPECT_EQ(lastMessage(), periodend::kBeforeStart);
  EXPECT_TRUE(host().heldLocks.empty());
}

// A book linked to the inventory module closes a month only after the
// inventory module has closed it.
TEST_P(PeriodClose, ALinkedInventoryModuleClosesTheMonthFirst) {
  carry();
  host().book.LinkInventory = true;
  for (const Period inventory : {Period{2011, 6}, Period{2011, 7}, Period{2010, 12}}) {
    host().book.InventoryYear = inventory.year;
    host().book.InventoryMonth = inventory.month;
    const auto before = periodTables();
    EXPECT_FALSE(periodend::RunPeriodClose(host())) << inventory.text();
    EXPECT_EQ(lastMessage(), periodend::kInventoryNotClosed);
    EXPECT_EQ(periodTables(), before);
  }
  EXPECT_TRUE(host().heldLocks.empty());
  host().book.InventoryMonth = 8;
  host().book.InventoryYear = 2011;
  EXPECT_TRUE(periodend::RunPeriodClose(host())) << lastMessage();
  EXPECT_EQ(host().book.CurrMon, 8);
}

TEST_P(PeriodClose, ClosingRecordsProfitAndLossAndReopeningUndoesItExactly) {
  carry();
  // Lines left without their voucher (an outside program's doing) are no
  // voucher's profit or loss.
  line("201107000099", "313", Yuan("50"), {});
  line("201107000099", "501", {}, Yuan("50"));
  const auto beforeClose = periodTables();
  ASSERT_TRUE(periodend::RunPeriodClose(host())) << lastMessage();
  EXPECT_EQ(host().book.CurrMon, 8);
  EXPECT_EQ(host().globalCalls.back(), "SetMainCaption");
  // Income on the credit side, expenses on the debit side, for the subject and its parent.
  EXPECT_EQ(profitLoss("201107", "501", "CREDIT"), Yuan("1000"));
  EXPECT_EQ(profitLoss("201107", "50201", "DEBIT"), Yuan("600"));
  EXPECT_EQ(profitLoss("201107", "502", "YDEBIT"), Yuan("600"));
  // August starts from July's endings; its profit and loss carries the year so far.
  EXPECT_EQ(data::TextOf(db().scalar("SELECT EDEBIT FROM Balance WHERE YEARMON='201108' AND MONEYID=0 AND "
                                     "SUBJECTID='101'")),
            data::TextOf(db().scalar("SELECT EDEBIT FROM Balance WHERE YEARMON='201107' AND MONEYID=0 AND "
                                     "SUBJECTID='101'")));
  EXPECT_EQ(profitLoss("201108", "501", "YCREDIT"), Yuan("1000"));
  EXPECT_EQ(profitLoss("201108", "501", "CREDIT"), Money());
  const auto afterClose = periodTables();

  ASSERT_TRUE(periodend::RunReopenPeriod(host(), false)) << lastMessage();
  EXPECT_EQ(host().book.CurrMon, 7);
  EXPECT_EQ(periodTables(), beforeClose);
  ASSERT_TRUE(periodend::RunPeriodClose(host())) << lastMessage();
  EXPECT_EQ(periodTables(), afterClose);
}

TEST_P(PeriodClose, ReopeningWithTheCarryVouchersDeletedLeavesTheBalancesOfThePostedVouchers) {
  const auto beforeCarry = balanceTable();
  carry();
  ASSERT_TRUE(periodend::RunPeriodClose(host())) << lastMessage();
  ASSERT_TRUE(periodend::RunReopenPeriod(host(), true)) << lastMessage();
  EXPECT_EQ(data::IntegerOf(db().scalar("SELECT COUNT(*) FROM VoucherMaster WHERE AccountVoucherType=100")), 0);
  EXPECT_EQ(balanceTable(), beforeCarry);
  expectBalanceRules();
}

TEST_P(PeriodClose, DecemberClosesIntoAJanuaryWithAnEmptyYear) {
  db().execute("UPDATE AccountState SET CURRMON=12");
  db().execute("UPDATE Balance SET YEARMON='201112'");
  db().execute("UPDATE VoucherMaster SET CREDID='201112' || substr(CREDID, 7, 6)");
  db().execute("UPDATE VoucherDetail SET CREDID='201112' || substr(CREDID, 7, 6)");
  host().ReloadAccountBooksData();
  carry();
  ASSERT_TRUE(periodend::RunPeriodClose(host())) << lastMessage();
  EXPECT_EQ(host().book.CurrYear, 2012);
  EXPECT_EQ(host().book.CurrMon, 1);
  EXPECT_EQ(profitLoss("201201", "501", "YCREDIT"), Money());
  const auto january = db().queryOne("SELECT * FROM Balance WHERE YEARMON='201201' AND MONEYID=0 AND SUBJECTID='101'");
  ASSERT_TRUE(january);
  EXPECT_EQ(january->money("YBDEBIT"), Yuan("400"));
  EXPECT_TRUE(january->isNull("YDEBIT") || january->money("YDEBIT").isZero());
}

TEST_P(PeriodClose, ADatabaseFailureInsideCloseOrReopenLeavesTheBookAsItWas) {
  const bool sqlite = GetParam() == data::Engine::Sqlite;
  carry();
  const auto open = periodTables();
  // The book refuses August's first Balance row, as a failing disk or server would.
  db().execute(sqlite ? "CREATE TRIGGER refuse_august BEFORE INSERT ON Balance WHEN NEW.YEARMON='201108' "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END"
                      : "ALTER TABLE Balance ADD CONSTRAINT refuse_august CHECK (YEARMON<>'201108') NOT VALID");
  EXPECT_FALSE(periodend::RunPeriodClose(host()));
  EXPECT_EQ(host().databaseErrors.size(), 1u);
  EXPECT_EQ(periodTables(), open);
  EXPECT_EQ(host().book.CurrMon, 7);
  EXPECT_TRUE(host().heldLocks.empty());
  db().execute(sqlite ? "DROP TRIGGER refuse_august" : "ALTER TABLE Balance DROP CONSTRAINT refuse_august");
  ASSERT_TRUE(periodend::RunPeriodClose(host())) << lastMessage();

  const std::string august = "201108000001";
  db().execute(
      "INSERT INTO VoucherMaster (CREDID, CREDNO, CREDDATE, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG) "
      "VALUES (:id, 1, :date, 1, 1, 'T', 'F')",
      {{"id", august}, {"date", Date(2011, 8, 3)}});
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, DEBIT) VALUES (:id, 0, '101', 0, :a)",
               {{"id", august}, {"a", Yuan("5")}});
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, CREDIT) VALUES (:id, 1, '501', 0, :a)",
               {{"id", august}, {"a", Yuan("5")}});
  post();
  const auto closed = periodTables();
  // Now it refuses to take August's vouchers back to unposted.
  db().execute(sqlite ? "CREATE TRIGGER refuse_unpost BEFORE UPDATE ON VoucherMaster "
                        "WHEN NEW.POSTFLAG='F' AND NEW.CREDID>='201108' BEGIN SELECT RAISE(ABORT, 'refused'); END"
                      : "ALTER TABLE VoucherMaster ADD CONSTRAINT refuse_unpost "
                        "CHECK (POSTFLAG='T' OR CREDID<'201108') NOT VALID");
  EXPECT_FALSE(periodend::RunReopenPeriod(host(), true));
  EXPECT_EQ(host().databaseErrors.size(), 2u);
  EXPECT_EQ(periodTables(), closed);
  EXPECT_EQ(host().book.CurrMon, 8);
  EXPECT_EQ(data::IntegerOf(db().scalar("SELECT COUNT(*) FROM VoucherMaster WHERE AccountVoucherType=100")), 2);
  EXPECT_TRUE(host().heldLocks.empty());
}

// A year of months, each posted, carried and closed across the year end;
// reversed back to the start month by month, each step giving back the book
// as it stood before that month's close; then closed forward again to the
// very same tables.
TEST_P(PeriodClose, AYearClosedAcrossTheYearEndReopensStepByStepAndClosesAgainTheSame) {
  const auto trade = [&](const Period& month) {
    for (int no = 1; no <= 2; ++no) {
      const std::string id = month.text() + IntToStr(no, 6);
      db().execute(
          "INSERT INTO VoucherMaster (CREDID, CREDNO, CREDDATE, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG, "
          "BILLMAKER) VALUES (:id, :no, :date, 1, :no, 'T', 'F', '制单')",
          {{"id", id}, {"no", no}, {"date", Date(month.year, month.month, 10)}});
      const bool sale = no == 1;
      const auto orNull = [](const char* amount) { return amount ? data::Value(Yuan(amount)) : data::Value(); };
      for (int side = 0; side < 2; ++side) {
        const char* subject = side == 0 ? (sale ? "101" : "50201") : (sale ? "501" : "101");
        const char* amount = sale ? "1000" : "600";
        db().execute(
            "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, DEBIT, CREDIT) "
            "VALUES (:id, :no, :s, 0, :d, :c)",
            {{"id", id},
             {"no", side},
             {"s", subject},
             {"d", orNull(side == 0 ? amount : nullptr)},
             {"c", orNull(side == 1 ? amount : nullptr)}});
      }
    }
  };
  std::vector<std::vector<std::string>> beforeClose;
  for (int i = 0; i < 12; ++i) {
    const Period month{host().book.CurrYear, host().book.CurrMon};
    if (i > 0) trade(month);
    post();
    carry();
    beforeClose.push_back(periodTables());
    ASSERT_TRUE(periodend::RunPeriodClose(host())) << month.text() << " " << lastMessage();
  }
  EXPECT_EQ(host().book.CurrYear, 2012);
  EXPECT_EQ(host().book.CurrMon, 7);
  EXPECT_EQ(profitLoss("201112", "501", "YCREDIT"), Yuan("6000"));  // July to December
  EXPECT_EQ(profitLoss("201201", "501", "YCREDIT"), Yuan("1000"));  // January starts the year afresh
  EXPECT_EQ(profitLoss("201206", "502", "YDEBIT"), Yuan("3600"));
  const auto closedYear = periodTables();

  for (int i = 11; i >= 0; --i) {
    ASSERT_TRUE(periodend::RunReopenPeriod(host(), false)) << lastMessage();
    EXPECT_EQ(periodTables(), beforeClose[static_cast<std::size_t>(i)]) << "reopened month " << i;
  }
  EXPECT_FALSE(periodend::RunReopenPeriod(host(), false));
  EXPECT_EQ(lastMessage(), periodend::kBeforeStart);

  for (int i = 0; i < 12; ++i) {
    post();  // the reopened months' vouchers, their carry-forward ones included
    ASSERT_TRUE(periodend::RunPeriodClose(host())) << lastMessage();
  }
  EXPECT_EQ(periodTables(), closedYear);
  expectBalanceRules();
}

}  // namespace
}  // namespace qj::test
