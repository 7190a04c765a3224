#include <gtest/gtest.h>

#include "base/book_state_store.h"
#include "support/package_fixture.h"

namespace qj::test {
namespace {

class BookState : public PackageTest {
 protected:
  void startAccount(VorParams::Variant year, VorParams::Variant month) {
    VorParams bag;
    bag.AddValue("Year", std::move(year));
    bag.AddValue("Month", std::move(month));
    call("STARTACCOUNT", bag);
  }
  std::string startDate() { return data::TextOf(db().scalar("SELECT STARTDATE FROM AccountState")).substr(0, 10); }
  void addFixedAsset(int id, const char* balance, bool withCard) {
    db().execute(
        "INSERT INTO FixedAssetsStart (ID, ASTDEBIT, ASTCREDIT, ASTBALA, DPRDEBIT, DPRCREDIT, DPRBALA) "
        "VALUES (:id, :d, :c, :b, :dd, :dc, :db)",
        {{"id", id},
         {"d", Money::parse("10.5")},
         {"c", Money::parse("0.25")},
         {"b", Money::parse(balance)},
         {"dd", Money::parse("1")},
         {"dc", Money::parse("2")},
         {"db", Money::parse("3.3333")}});
    if (withCard)
      db().execute("INSERT INTO FixedAssetsCard (ID, CODE, USEDAGO, USEDVALUEAGO) VALUES (:id, :code, 12, :v)",
                   {{"id", id}, {"code", "FA" + std::to_string(id)}, {"v", Money::parse("99.99")}});
  }
};
QJ_ON_EVERY_ENGINE(BookState);

TEST_P(BookState, StartAccountMovesStartAndCurrentPeriodAndReloadsTheRecord) {
  startAccount(std::int64_t{2012}, std::string("3"));
  EXPECT_EQ(startDate(), "2012-03-01");
  EXPECT_EQ(host().book.CurrYear, 2012);
  EXPECT_EQ(host().book.CurrMon, 3);
  EXPECT_EQ(host().reloads, 1);
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(BookState, StartAccountRefusesBadMonthsAndWrongTypesBeforeAnySql) {
  startAccount(std::int64_t{2012}, std::int64_t{13});
  startAccount(std::int64_t{2012}, std::int64_t{0});
  startAccount(std::string("二〇一二"), std::int64_t{3});
  startAccount(Date(2012, 1, 1), std::int64_t{3});
  EXPECT_EQ(host().messages.size(), 4u);
  EXPECT_NE(host().messages[0].text.find("月份"), std::string::npos);
  EXPECT_NE(host().messages[2].text.find("Year"), std::string::npos);
  EXPECT_EQ(startDate(), "2011-07-01");
  EXPECT_EQ(host().reloads, 0);
}

// Vouchers are numbered in the book's months: once there is one, posted or
// not, a new start would leave it outside the book.
TEST_P(BookState, StartAccountIsRefusedOnceTheBookHasAVoucher) {
  addVoucher("201107000001", 1, 1, false);
  startAccount(std::int64_t{2012}, std::int64_t{1});
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "帐套中已有凭证，不能重新设置启用期间");
  EXPECT_EQ(startDate(), "2011-07-01");
  EXPECT_EQ(host().book.CurrYear, 2011);
  EXPECT_EQ(host().reloads, 0);
}

TEST_P(BookState, StartPeriodTestFailsAfterAPostingOrOnceThePeriodMoves) {
  EXPECT_TRUE(base::IsStartPeriod(db(), host().book));
  addVoucher("201107000001", 1, 1, false);
  EXPECT_TRUE(base::IsStartPeriod(db(), host().book));
  AccountBooksData moved = host().book;
  moved.CurrMon = 8;
  EXPECT_FALSE(base::IsStartPeriod(db(), moved));
  addVoucher("201107000002", 1, 2, true);
  EXPECT_FALSE(base::IsStartPeriod(db(), host().book));
}

TEST_P(BookState, StateAndAuditFlagsAreWrittenAndReloaded) {
  VorParams bag;
  bag.AddValue("iState", std::int64_t{3});
  call("SETACCOUNTBOOKSSTATE", bag);
  EXPECT_EQ(db().queryOne("SELECT STATUS FROM AccountState")->integer("STATUS"), 3);
  EXPECT_EQ(host().book.Status, 3);

  db().execute("UPDATE AccountState SET MUSTCHECK='T', SAMEUSER='F'");
  call("GETMUSTCHECKSAMEUSERFLAG");
  EXPECT_TRUE(host().book.MustCheck);
  EXPECT_FALSE(host().book.SameUser);
  db().execute("UPDATE AccountState SET MUSTCHECK='F', SAMEUSER='T'");
  call("getmustchecksameuserflag");
  EXPECT_FALSE(host().book.MustCheck);
  EXPECT_TRUE(host().book.SameUser);
  // Y/N and lower case as other modules write them; anything else is no.
  db().execute("UPDATE AccountState SET MUSTCHECK='y', SAMEUSER='N'");
  call("GETMUSTCHECKSAMEUSERFLAG");
  EXPECT_TRUE(host().book.MustCheck);
  EXPECT_FALSE(host().book.SameUser);
  db().execute("UPDATE AccountState SET MUSTCHECK='t', SAMEUSER=NULL");
  call("GETMUSTCHECKSAMEUSERFLAG");
  EXPECT_TRUE(host().book.MustCheck);
  EXPECT_FALSE(host().book.SameUser);
}

TEST_P(BookState, FixedAssetOpeningValuesBecomeOneFirstPeriodRowEach) {
  addFixedAsset(1, "1000", true);
  addFixedAsset(2, "250.1234", false);
  VorParams bag;
  bag.AddValue("Year", std::int64_t{2011});
  bag.AddValue("Month", std::int64_t{7});
  call("FIXEDASSETSSTARTTOBEGIN", bag);
  call("FIXEDASSETSSTARTTOBEGIN", bag);
  const auto rows = db().query(
      "SELECT ID, YEARMON, TOTALWL, USEDVALUE, BASTDEBIT, YASTDEBIT, YASTCREDIT, BDPRCREDIT, YDPRDEBIT, YDPRCREDIT "
      "FROM FixedAssetsSurplus ORDER BY ID");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].text("YEARMON"), "201107");
  EXPECT_EQ(rows[0].integer("TOTALWL"), 12);
  EXPECT_EQ(rows[0].money("USEDVALUE"), Money::parse("99.99"));
  EXPECT_EQ(rows[0].money("BASTDEBIT"), Money::parse("1000"));
  EXPECT_EQ(rows[0].money("YASTDEBIT"), Money::parse("10.5"));
  EXPECT_EQ(rows[0].money("YASTCREDIT"), Money::parse("0.25"));
  EXPECT_EQ(rows[0].money("BDPRCREDIT"), Money::parse("3.3333"));
  EXPECT_EQ(rows[0].money("YDPRDEBIT"), Money::parse("1"));
  EXPECT_EQ(rows[0].money("YDPRCREDIT"), Money::parse("2"));
  EXPECT_EQ(rows[1].integer("TOTALWL"), 0);  // no card: nothing done before the start
  EXPECT_EQ(rows[1].money("USEDVALUE"), Money());
  EXPECT_EQ(rows[1].money("BASTDEBIT"), Money::parse("250.1234"));
}

TEST_P(BookState, AFixedAssetTransferThatFailsHalfwayKeepsTheOldRows) {
  addFixedAsset(1, "1000", true);
  VorParams bag;
  bag.AddValue("Year", std::int64_t{2011});
  bag.AddValue("Month", std::int64_t{7});
  call("FIXEDASSETSSTARTTOBEGIN", bag);
  // The rows are already deleted when building the new ones fails.
  addFixedAsset(2, "5", true);
  db().executeScript("ALTER TABLE FixedAssetsCard RENAME COLUMN USEDAGO TO USEDAGO_GONE");
  call("FIXEDASSETSSTARTTOBEGIN", bag);
  EXPECT_EQ(host().databaseErrors.size(), 1u);
  const auto rows = db().query("SELECT ID, BASTDEBIT FROM FixedAssetsSurplus");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].money("BASTDEBIT"), Money::parse("1000"));
}

}  // namespace
}  // namespace qj::test
