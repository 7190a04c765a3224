#include "periodend/posting.h"

#include <random>
#include <variant>

#include "periodend/posting_fixture.h"

namespace qj::test {
namespace {

class Posting : public PostingTest {
 protected:
  // Balanced vouchers of two to four lines on random detail subjects, some in
  // dollars at a rate between 6 and 7; amounts in fen, one side per line.
  void generateVouchers(int firstNo, int count, std::uint32_t seed) {
    std::mt19937 random(seed);
    const std::vector<std::string> details{"101", "10201", "1020201", "1020202", "20101", "501"};
    const auto pick = [&](std::size_t n) { return static_cast<std::int64_t>(random() % n); };
    for (int no = firstNo; no < firstNo + count; ++no) {
      const std::string id = voucher(no);
      const int lines = 2 + static_cast<int>(pick(3));
      Money debits, credits;
      for (int i = 0; i < lines; ++i) {
        const std::string& subject = details[static_cast<std::size_t>(pick(details.size()))];
        const bool last = i == lines - 1;
        const bool foreign = !last && pick(3) == 0;
        const Money raw = Money::fromUnits((1 + pick(500000)) * 100);
        const Money amount = foreign ? raw.times(Money::fromUnits(60000 + pick(10000)), 2) : raw;
        const bool onDebit = last ? credits > debits : pick(2) == 0;
        const Money value = last ? (debits - credits).abs() : amount;
        if (onDebit) {
          line(id, subject, value, {}, foreign ? kDollar : 0, foreign ? raw : Money(), {});
          debits += value;
        } else {
          line(id, subject, {}, value, foreign ? kDollar : 0, {}, foreign ? raw : Money());
          credits += value;
        }
      }
    }
  }
};
QJ_ON_EVERY_ENGINE(Posting);

TEST_P(Posting, GeneratedVouchersKeepTheBalanceRulesAndPostingInTwoStepsEqualsOne) {
  generateVouchers(1, 40, 7);
  EXPECT_EQ(post(), 40);
  {
    SCOPED_TRACE("after the first posting");
    expectBalanceRules();
  }
  generateVouchers(41, 40, 11);
  EXPECT_EQ(post(), 40);
  {
    SCOPED_TRACE("after the second posting");
    expectBalanceRules();
  }
  const auto inTwoSteps = balanceTable();

  // Nothing left: the second run books nothing and changes nothing.
  EXPECT_EQ(post(), 0);
  EXPECT_EQ(balanceTable(), inTwoSteps);

  const auto unpostAll = [this] {
    db().execute("DELETE FROM Balance");
    db().execute("UPDATE VoucherMaster SET POSTFLAG='F', BILLPOST=''");
  };
  unpostAll();
  EXPECT_EQ(post(), 80);
  EXPECT_EQ(balanceTable(), inTwoSteps);

  // The screen's path sums the claimed lines while it checks them; it books
  // the same, and with audit required the same audited half.
  unpostAll();
  EXPECT_EQ(std::get<std::int64_t>(periodend::PostCurrentPeriodChecked(db(), context(), true)), 80);
  EXPECT_EQ(balanceTable(), inTwoSteps);
  unpostAll();
  db().execute("UPDATE VoucherMaster SET CHECKFLAG=CASE WHEN CREDNO % 2 = 0 THEN 'T' ELSE 'F' END");
  periodend::PostingContext audited = context();
  audited.mustCheck = true;
  EXPECT_EQ(periodend::PostCurrentPeriod(db(), audited), 40);
  const auto auditedHalf = balanceTable();
  EXPECT_NE(auditedHalf, inTwoSteps);
  unpostAll();
  EXPECT_EQ(std::get<std::int64_t>(periodend::PostCurrentPeriodChecked(db(), audited, true)), 40);
  EXPECT_EQ(balanceTable(), auditedHalf);
}

// A posting that claims a few vouchers reads their lines by identifier; one
// that claims thousands reads the month's posted lines once. Both must book
// only what they claimed, next to vouchers posted before them.
TEST_P(Posting, ManyClaimedVouchersBookTheSameAsTheFewChosenByIdentifier) {
  generateVouchers(1, 30, 3);
  generateVouchers(31, 2001, 5);
  std::vector<std::string> ids;
  for (const data::Row& row : db().query("SELECT CREDID FROM VoucherMaster ORDER BY CREDID"))
    ids.push_back(row.text("CREDID"));
  ASSERT_EQ(ids.size(), 2031U);

  const std::vector<std::string> head(ids.begin(), ids.begin() + 1200);
  const std::vector<std::string> tail(ids.begin() + 1200, ids.end());
  EXPECT_EQ(periodend::PostVouchers(db(), context(), head), 1200);
  EXPECT_EQ(periodend::PostVouchers(db(), context(), tail), 831);
  expectBalanceRules();
  const auto byIdentifier = balanceTable();

  db().execute("DELETE FROM Balance");
  db().execute("UPDATE VoucherMaster SET POSTFLAG='F', BILLPOST=''");
  EXPECT_EQ(periodend::PostVouchers(db(), context(), {ids.begin(), ids.begin() + 30}), 30);
  EXPECT_EQ(post(), 2001);
  EXPECT_EQ(balanceTable(), byIdentifier);
}

TEST_P(Posting, LocalLinesBookRowsZeroAndAllForTheSubjectAndItsAncestors) {
  const std::string id = voucher(1);
  line(id, "1020201", Yuan("100.50"), {});
  line(id, "20101", {}, Yuan("100.50"));
  EXPECT_EQ(post(), 1);
  for (const char* subject : {"1020201", "10202", "102"}) {
    for (int money : {0, 99}) {
      const auto row = balance(money, subject);
      ASSERT_TRUE(row) << money << "/" << subject;
      EXPECT_EQ(row->money("DEBIT"), Yuan("100.50"));
      EXPECT_EQ(row->money("YDEBIT"), Yuan("100.50"));
      EXPECT_EQ(row->money("EDEBIT"), Yuan("100.50"));
      EXPECT_TRUE(row->isNull("ECREDIT") && row->isNull("CREDIT") && row->isNull("ERAWDEBIT"));
    }
    EXPECT_FALSE(balance(kDollar, subject));
  }
  EXPECT_EQ(balance(0, "201")->money("ECREDIT"), Yuan("100.50"));
  EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM Balance").storage(),
            data::Value(10).storage());  // five subjects, rows 0 and 99
  EXPECT_EQ(postFlag(id), "T");
  EXPECT_EQ(db().queryOne("SELECT BILLPOST FROM VoucherMaster")->text("BILLPOST"), "测试员");
}

TEST_P(Posting, ForeignLinesBookTheirCurrencyWithForeignAmountsAndRowAllWithout) {
  const std::string id = voucher(1);
  line(id, "10201", Yuan("650.00"), {}, kDollar, Yuan("100"), {});
  line(id, "501", {}, Yuan("650.00"));
  post();
  for (const char* subject : {"10201", "102"}) {
    const auto dollar = balance(kDollar, subject);
    ASSERT_TRUE(dollar);
    EXPECT_EQ(dollar->money("DEBIT"), Yuan("650"));
    EXPECT_EQ(dollar->money("RAWDEBIT"), Yuan("100"));
    EXPECT_EQ(dollar->money("YRAWDEBIT"), Yuan("100"));
    EXPECT_EQ(dollar->money("ERAWDEBIT"), Yuan("100"));
    const auto all = balance(99, subject);
    EXPECT_EQ(all->money("EDEBIT"), Yuan("650"));
    EXPECT_TRUE(all->isNull("RAWDEBIT") && all->isNull("ERAWDEBIT"));
    EXPECT_FALSE(balance(0, subject));
  }
}

TEST_P(Posting, EndingBalancesAtZero) {
  // Local money back to zero: both sides empty, not 0.
  const std::string first = voucher(1);
  line(first, "101", Yuan("80"), {});
  line(first, "501", {}, Yuan("80"));
  const std::string second = voucher(2);
  line(second, "501", Yuan("80"), {});
  line(second, "101", {}, Yuan("80"));
  // Dollars in at 6.5 and out at 6.4: the local net is 0 while 0.16 dollars remain.
  const std::string third = voucher(3);
  line(third, "10201", Yuan("64"), {}, kDollar, Yuan("10"), {});
  line(third, "501", {}, Yuan("64"));
  const std::string fourth = voucher(4);
  line(fourth, "501", Yuan("64"), {});
  line(fourth, "10201", {}, Yuan("64"), kDollar, {}, Yuan("9.84"));
  // A line without amounts still makes its rows.
  line(fourth, "1020202", {}, {});
  EXPECT_EQ(post(), 4);

  for (int money : {0, 99}) {
    const auto row = balance(money, "101");
    EXPECT_TRUE(row->isNull("EDEBIT") && row->isNull("ECREDIT")) << money;
    EXPECT_EQ(row->money("YDEBIT"), Yuan("80"));
  }
  const auto dollars = balance(kDollar, "10201");
  EXPECT_TRUE(dollars->isNull("EDEBIT") && dollars->isNull("ECREDIT"));
  EXPECT_EQ(dollars->money("ERAWDEBIT"), Yuan("0.16"));
  EXPECT_TRUE(dollars->isNull("ERAWCREDIT"));
  EXPECT_EQ(balance(kDollar, "102")->money("ERAWDEBIT"), Yuan("0.16"));

  for (const char* subject : {"1020202", "10202"}) {
    const auto row = balance(0, subject);
    ASSERT_TRUE(row) << subject;
    EXPECT_TRUE(row->isNull("DEBIT") && row->isNull("CREDIT") && row->isNull("EDEBIT"));
  }
  expectBalanceRules();
}

TEST_P(Posting, WithAuditRequiredOnlyAuditedVouchersArePostedAndCounted) {
  db().execute("UPDATE AccountState SET MUSTCHECK='T'");
  for (int no : {1, 2, 3}) {
    const std::string id = voucher(no, no != 2);
    line(id, "101", Yuan("10"), {});
    line(id, "501", {}, Yuan("10"));
  }
  ASSERT_TRUE(periodend::RunPosting(host(), true));  // No. 2 still counts for the numbering
  EXPECT_TRUE(host().book.MustCheck);
  EXPECT_EQ(host().messages.back().text, "共有2张凭证被登帐");
  EXPECT_EQ(voucherFlags(), (std::vector<std::string>{"201107000001T测试员", "201107000002F", "201107000003T测试员"}));
  EXPECT_EQ(balance(0, "101")->money("DEBIT"), Yuan("20"));
}

// A voucher numbered 0, which only an outside program can store, is claimed
// with the month; the screen's path books it as it marks it.
TEST_P(Posting, TheScreensPathBooksEveryVoucherItMarks) {
  for (int no : {0, 1}) {
    const std::string id = voucher(no);
    line(id, "101", Yuan("3"), {});
    line(id, "501", {}, Yuan("3"));
  }
  EXPECT_EQ(std::get<std::int64_t>(periodend::PostCurrentPeriodChecked(db(), context(), false)), 2);
  EXPECT_EQ(voucherFlags().front(), "201107000000T测试员");
  EXPECT_EQ(balance(0, "101")->money("DEBIT"), Yuan("6"));
}

// Rows without their other half go before anything is booked, wherever they
// stand in the month: a voucher without lines is neither posted nor counted, a
// line without its voucher is not booked, and a refusal leaves them gone too.
TEST_P(Posting, OrphanRowsGoAndAreNeitherBookedNorCounted) {
  const auto count = [this](const char* table) {
    return db().scalar(std::string("SELECT COUNT(*) FROM ") + table).storage();
  };
  const auto balancedVoucher = [this](int no) {
    const std::string id = voucher(no);
    line(id, "101", Yuan("8"), {});
    line(id, "501", {}, Yuan("8"));
  };
  const auto postChecked = [this] {
    return std::get<std::int64_t>(periodend::PostCurrentPeriodChecked(db(), context(), false));
  };

  balancedVoucher(2);
  const std::string last = voucher(5);  // no lines, after the last line
  db().execute("INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT) VALUES (:id, '01', :d)",
               {{"id", last}, {"d", Yuan("8")}});
  EXPECT_EQ(postChecked(), 1);
  EXPECT_EQ(count("VoucherMaster"), data::Value(1).storage());
  EXPECT_EQ(count("FluxionDistribute"), data::Value(0).storage());

  voucher(1);  // no lines, before the first line
  balancedVoucher(8);
  EXPECT_EQ(postChecked(), 1);
  EXPECT_EQ(count("VoucherMaster"), data::Value(2).storage());

  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT) VALUES ('201107000003', 0, '101', :d)",
               {{"d", Yuan("3")}});
  balancedVoucher(9);
  EXPECT_EQ(postChecked(), 1);
  EXPECT_EQ(balance(0, "101")->money("DEBIT"), Yuan("24"));
  EXPECT_EQ(count("VoucherDetail"), data::Value(6).storage());

  // Lines without a voucher before the first voucher and after the last.
  for (const char* id : {"201107000000", "201107000050"})
    db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT) VALUES (:id, 0, '101', :d)",
                 {{"id", id}, {"d", Yuan("3")}});
  balancedVoucher(10);
  EXPECT_EQ(postChecked(), 1);
  EXPECT_EQ(balance(0, "101")->money("DEBIT"), Yuan("32"));
  EXPECT_EQ(count("VoucherDetail"), data::Value(8).storage());

  // An allocation left without its voucher, and nothing else astray.
  db().execute("INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT) VALUES ('201107000040', '01', :d)",
               {{"d", Yuan("8")}});
  balancedVoucher(11);
  EXPECT_EQ(postChecked(), 1);
  EXPECT_EQ(count("FluxionDistribute"), data::Value(0).storage());

  const std::string unbalanced = voucher(12);
  line(unbalanced, "101", Yuan("1"), {});
  voucher(13);  // no lines
  const auto refused = periodend::PostCurrentPeriodChecked(db(), context(), false);
  ASSERT_TRUE(std::holds_alternative<Refusal>(refused));
  EXPECT_EQ(std::get<Refusal>(refused).text, "第12号凭证借贷方金额不等，请修正后再登帐");
  EXPECT_EQ(count("VoucherMaster"), data::Value(6).storage());
  EXPECT_EQ(postFlag(unbalanced), "F");
}

TEST_P(Posting, PostVouchersBooksOnlyTheChosenUnpostedOnes) {
  std::vector<std::string> ids;
  for (int no : {1, 2, 3}) {
    ids.push_back(voucher(no));
    line(ids.back(), "101", Yuan("5"), {});
    line(ids.back(), "501", {}, Yuan("5"));
  }
  EXPECT_EQ(periodend::PostVouchers(db(), context(), {ids[0], ids[2], ids[2]}), 2);
  EXPECT_EQ(periodend::PostVouchers(db(), context(), {ids[0]}), 0);
  EXPECT_EQ(postFlag(ids[1]), "F");
  EXPECT_EQ(balance(99, "101")->money("DEBIT"), Yuan("10"));
}

TEST_P(Posting, FixedAssetVouchersUpdateTheSurplusRecords) {
  host().reserved[0] = "161";
  db().execute("INSERT INTO FixedAssetsCard (ID, CODE, USEDAGO, USEDVALUEAGO) VALUES (7, 'A7', 12, :used)",
               {{"used", Yuan("300")}});
  db().execute("INSERT INTO FixedAssetsSurplus (ID, YEARMON, DEPRVALUE, YDPRCREDIT) VALUES (8, '201107', :d, :y)",
               {{"d", Yuan("40")}, {"y", Yuan("100")}});
  const std::string added = voucher(1, false, 200, 7);
  line(added, "161", Yuan("5000"), {});
  line(added, "165", {}, Yuan("300"));
  line(added, "20101", {}, Yuan("4700"));
  // Two lines, booked once.
  const std::string depreciation = voucher(2, false, 201, 201107);
  line(depreciation, "501", Yuan("40"), {});
  line(depreciation, "165", {}, Yuan("20"));
  line(depreciation, "165", {}, Yuan("20"));
  EXPECT_EQ(post(), 2);

  const auto card = db().queryOne("SELECT * FROM FixedAssetsSurplus WHERE ID=7 AND YEARMON='201107'");
  ASSERT_TRUE(card);
  EXPECT_EQ(card->integer("TOTALWL"), 12);
  EXPECT_EQ(card->integer("CURRWL"), 0);
  EXPECT_EQ(card->money("USEDVALUE"), Yuan("300"));
  EXPECT_EQ(card->money("ASTDEBIT"), Yuan("5000"));
  EXPECT_EQ(card->money("YASTDEBIT"), Yuan("5000"));
  EXPECT_EQ(card->money("DPRCREDIT"), Yuan("5000"));  // 300 + 4700 on other subjects
  const auto depreciated = db().queryOne("SELECT * FROM FixedAssetsSurplus WHERE ID=8");
  EXPECT_EQ(depreciated->money("DPRCREDIT"), Yuan("40"));
  EXPECT_EQ(depreciated->money("YDPRCREDIT"), Yuan("140"));
}

TEST_P(Posting, AFailureLeavesBalancesAndFlagsAsTheyWere) {
  const std::string first = voucher(1);
  line(first, "101", Yuan("10"), {});
  line(first, "501", {}, Yuan("10"));
  post();
  const std::string second = voucher(2);
  line(second, "101", Yuan("7"), {});
  line(second, "501", {}, Yuan("7"));
  // A depreciation voucher makes posting touch the surplus table after the balances.
  const std::string third = voucher(3, false, 201, 201107);
  line(third, "501", Yuan("1"), {});
  line(third, "165", {}, Yuan("1"));
  const auto balances = balanceTable();
  const auto flags = voucherFlags();
  db().execute("ALTER TABLE FixedAssetsSurplus RENAME TO FixedAssetsSurplusAway");

  EXPECT_FALSE(periodend::RunPosting(host(), true));
  db().execute("ALTER TABLE FixedAssetsSurplusAway RENAME TO FixedAssetsSurplus");
  EXPECT_EQ(host().databaseErrors.size(), 1U);
  EXPECT_TRUE(host().messages.empty());
  EXPECT_TRUE(host().heldLocks.empty());
  EXPECT_FALSE(db().inTransaction());
  EXPECT_EQ(balanceTable(), balances);
  EXPECT_EQ(voucherFlags(), flags);

  // Inside a caller's transaction the posting's own work is undone as well.
  {
    data::Transaction tx(db());
    db().execute("ALTER TABLE FixedAssetsSurplus RENAME TO FixedAssetsSurplusAway");
    EXPECT_THROW(post(), data::DbError);
  }
  EXPECT_EQ(balanceTable(), balances);
  EXPECT_EQ(voucherFlags(), flags);

  // The same connection posts afterwards, changing the rows the first voucher
  // made, though what the failed runs set up for that was undone with them.
  EXPECT_EQ(post(), 2);
  expectBalanceRules();
  const auto cash = balance(0, "101");
  ASSERT_TRUE(cash);
  EXPECT_EQ(cash->money("DEBIT"), Yuan("17"));
}

TEST_P(Posting, RunPostingTakesTheLedgerAndReportsOnlyAfterTheCommit) {
  const std::string id = voucher(1);
  line(id, "101", Yuan("10"), {});
  line(id, "501", {}, Yuan("10"));
  host().refusedLocks.insert("CREDLOCK");
  EXPECT_FALSE(periodend::RunPosting(host(), true));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, periodend::kPostingLockRefused);
  EXPECT_EQ(host().messages[0].caption, "青简财务");
  EXPECT_EQ(postFlag(id), "F");

  host().refusedLocks.clear();
  host().messages.clear();
  EXPECT_TRUE(periodend::RunPosting(host(), true));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, "共有1张凭证被登帐");
  EXPECT_EQ(host().messages[0].caption, "提示信息");
  EXPECT_FALSE(db().inTransaction());
  EXPECT_TRUE(host().heldLocks.empty());
  EXPECT_EQ(postFlag(id), "T");

  // A month posted to the end (here past a gap, allowed when it was posted)
  // has nothing to check or book; a new voucher brings the checks back.
  const std::string afterGap = voucher(3);
  line(afterGap, "101", Yuan("2"), {});
  line(afterGap, "501", {}, Yuan("2"));
  ASSERT_TRUE(periodend::RunPosting(host(), false));
  const auto balances = balanceTable();
  host().messages.clear();
  EXPECT_TRUE(periodend::RunPosting(host(), true));
  EXPECT_EQ(host().messages.at(0).text, "共有0张凭证被登帐");
  EXPECT_EQ(balanceTable(), balances);
  const std::string fourth = voucher(4);
  line(fourth, "101", Yuan("2"), {});
  line(fourth, "501", {}, Yuan("2"));
  EXPECT_FALSE(periodend::RunPosting(host(), true));
  EXPECT_EQ(host().messages.back().text, "第1号凭证后顺序号不连续，终止登帐");
  EXPECT_EQ(balanceTable(), balances);

  // An empty period passes and reports 0.
  db().execute("DELETE FROM VoucherDetail");
  db().execute("DELETE FROM VoucherMaster");
  host().messages.clear();
  EXPECT_TRUE(periodend::RunPosting(host(), true));
  EXPECT_EQ(host().messages.at(0).text, "共有0张凭证被登帐");
}

}  // namespace
}  // namespace qj::test
