// The ledgers against the posted balances: a detail ledger closes on its
// Balance row, a parent's movements are its children's, the general ledger
// agrees with the detail ledger, and unposted vouchers change only the lines.
#include <gtest/gtest.h>

#include <random>

#include "balances/balance_span_store.h"
#include "balances/period_roll_store.h"
#include "base/code_structure.h"
#include "ledgers/detail_ledger.h"
#include "ledgers/general_ledger.h"
#include "ledgers/journal.h"
#include "ledgers/ledger_screen_models.h"
#include "periodend/posting_fixture.h"

namespace qj::test {
namespace {

using ledgers::LedgerRow;
using ledgers::LedgerRowKind;

class Ledgers : public PostingTest {
 protected:
  // A voucher of 2011 in `month`, numbered `no` within it.
  std::string voucherIn(int month, int no, bool posted = false) {
    const std::string id = ConvYearMon(2011, month) + IntToStr(no, 6);
    db().execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, CREDDATE, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG) "
        "VALUES (:id, :no, :date, 1, :no, 'T', :posted)",
        {{"id", id}, {"no", no}, {"date", Date(2011, month, 1 + no % 28)}, {"posted", posted ? "T" : "F"}});
    return id;
  }

  // Balanced vouchers of two to four lines on the detail subjects, some in
  // dollars, unposted.
  void generate(int month, int firstNo, int count, std::uint32_t seed) {
    std::mt19937 random(seed);
    const std::vector<std::string> details{"101", "10201", "1020201", "1020202", "20101", "501"};
    const auto pick = [&](std::size_t n) { return static_cast<std::int64_t>(random() % n); };
    for (int no = firstNo; no < firstNo + count; ++no) {
      const std::string id = voucherIn(month, no);
      const int lines = 2 + static_cast<int>(pick(3));
      Money net;
      for (int i = 0; i < lines; ++i) {
        const std::string& subject = details[static_cast<std::size_t>(pick(details.size()))];
        const bool last = i == lines - 1;
        const bool foreign = !last && pick(3) == 0;
        const Money raw = Money::fromUnits((1 + pick(500000)) * 100);
        const Money amount = last ? net.abs() : foreign ? raw.times(Yuan("6.5"), 2) : raw;
        const bool onDebit = last ? net.isNegative() : pick(2) == 0;
        const int money = foreign ? kDollar : 0;
        if (onDebit)
          line(id, subject, amount, {}, money, foreign ? raw : Money(), {});
        else
          line(id, subject, {}, amount, money, {}, foreign ? raw : Money());
        net += onDebit ? amount : -amount;
      }
    }
  }

  // July posted and rolled into August, August's vouchers posted: the
  // current period is August.
  void twoPostedMonths() {
    generate(7, 1, 30, 3);
    ASSERT_EQ(post(), 30);
    balances::RollBalancesForward(db(), {2011, 7});
    db().execute("UPDATE AccountState SET CURRMON=8");
    host().ReloadAccountBooksData();
    generate(8, 1, 30, 5);
    ASSERT_EQ(post(), 30);
  }

  ledgers::LedgerFilter filter(int from, int to, int currency = 0, bool unposted = false) {
    return {2011, from, to, currency, unposted, {}};
  }
  base::CodeStructure structure() { return base::CodeStructure(host().book.SubjectLevelLen); }

  // The subject's month in Balance, if it has a row.
  std::optional<balances::BalanceMonth> balanceOf(const std::string& code, int month, int currency) {
    const auto rows = balances::ReadBalanceSpan(db(), {{2011, month}, {2011, month}, currency, code, code, false});
    if (rows.empty()) return std::nullopt;
    return rows.front();
  }

  static const LedgerRow* lastOfKind(const std::vector<LedgerRow>& rows, LedgerRowKind kind) {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
      if (row->kind == kind) return &*row;
    return nullptr;
  }
};
QJ_ON_EVERY_ENGINE(Ledgers);

TEST_P(Ledgers, TheDetailLedgerClosesOnThePostedBalancesInEveryCurrency) {
  twoPostedMonths();
  for (const int currency : {0, kDollar, 99}) {
    SCOPED_TRACE("currency " + std::to_string(currency));
    const ledgers::DetailLedgerRun run(db(), structure(), filter(7, 8, currency));
    ASSERT_EQ(run.subjects().size(), 11U);
    int checked = 0;
    for (std::size_t i = 0; i < run.subjects().size(); ++i) {
      const auto& subject = run.subjects()[i];
      SCOPED_TRACE(subject.code);
      const auto rows = run.rows(i);
      const auto august = balanceOf(subject.code, 8, currency);
      const LedgerRow& last = rows.back();
      ASSERT_EQ(last.kind, LedgerRowKind::YearTotal);
      if (!august) {
        EXPECT_TRUE(last.balance.isZero());
        continue;
      }
      ++checked;
      EXPECT_EQ(last.balance, august->closing());  // every subject here keeps a debit balance
      EXPECT_EQ(last.debit, august->yearDebit);
      EXPECT_EQ(last.credit, august->yearCredit);
      if (currency == kDollar) {
        EXPECT_EQ(last.rawBalance, august->rawClosing());
        EXPECT_EQ(last.rawDebit, august->yearRawDebit);
      } else {
        EXPECT_TRUE(last.rawBalance.isZero());
      }
    }
    EXPECT_GT(checked, 4);
  }
}

TEST_P(Ledgers, TheWindowReadingOneSubjectAtATimeShowsTheRunsRows) {
  twoPostedMonths();
  generate(8, 31, 5, 13);  // unposted, included
  const ledgers::LedgerFilter all = filter(7, 8, 99, true);
  const ledgers::DetailLedgerRun run(db(), structure(), all);
  ledgers::DetailLedgerModel model;
  model.load(db(), structure(), all);
  ASSERT_EQ(model.subjectCount(), run.subjects().size());
  const auto text = [](const std::vector<ledgers::SheetRow>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) {
      std::string line;
      for (const auto& cell : row)
        line += std::visit(
                    [](const auto& value) -> std::string {
                      using T = std::decay_t<decltype(value)>;
                      if constexpr (std::is_same_v<T, std::string>)
                        return value;
                      else if constexpr (std::is_same_v<T, Money>)
                        return value.toString();
                      else if constexpr (std::is_same_v<T, Date>)
                        return value.toString();
                      else
                        return "";
                    },
                    cell) +
                "|";
      out.push_back(line);
    }
    return out;
  };
  for (std::size_t i = 0; i < run.subjects().size(); ++i) {
    model.moveTo(i);
    std::vector<ledgers::SheetRow> expected;
    for (const auto& row : run.rows(i))
      expected.push_back(ledgers::LedgerCells(row, run.subjects()[i], ledgers::LedgerKind::Detail, false, false));
    EXPECT_EQ(text(model.cells()), text(expected)) << run.subjects()[i].code;
  }
}

TEST_P(Ledgers, AParentListsItsChildrensLinesAndTheYearStartsFromTheBalances) {
  twoPostedMonths();
  const ledgers::DetailLedgerRun run(db(), structure(), filter(8, 8));
  const auto index = [&run](const std::string& code) {
    for (std::size_t i = 0; i < run.subjects().size(); ++i)
      if (run.subjects()[i].code == code) return i;
    ADD_FAILURE() << "no subject " << code;
    return std::size_t{0};
  };
  const auto parent = run.rows(index("102"));
  std::size_t childLines = 0;
  Money childDebits, childCredits;
  for (const char* child : {"10201", "10202"}) {
    for (const auto& row : run.rows(index(child))) {
      if (row.kind != LedgerRowKind::Line) continue;
      ++childLines;
      childDebits += row.debit;
      childCredits += row.credit;
    }
  }
  const auto parentLines =
      std::count_if(parent.begin(), parent.end(), [](const auto& r) { return r.kind == LedgerRowKind::Line; });
  EXPECT_EQ(static_cast<std::size_t>(parentLines), childLines);
  const LedgerRow* period = lastOfKind(parent, LedgerRowKind::PeriodTotal);
  ASSERT_NE(period, nullptr);
  EXPECT_EQ(period->debit, childDebits);
  EXPECT_EQ(period->credit, childCredits);

  // August alone opens on July's closing and counts July in the year.
  const auto july = balanceOf("102", 7, 0);
  ASSERT_TRUE(july);
  EXPECT_EQ(parent.front().kind, LedgerRowKind::Opening);
  EXPECT_EQ(parent.front().balance, july->closing());
  const LedgerRow* year = lastOfKind(parent, LedgerRowKind::YearTotal);
  EXPECT_EQ(year->debit, july->yearDebit + childDebits);
  EXPECT_EQ(year->credit, july->yearCredit + childCredits);
}

TEST_P(Ledgers, TheGeneralLedgerAgreesWithTheDetailLedgerMonthByMonth) {
  twoPostedMonths();
  ledgers::GeneralLedgerFilter general{2011, 7, 8, 9, 0, false, {}};  // level beyond the book's: held to 4
  const auto rows = ledgers::BuildGeneralLedger(db(), structure(), general);
  const ledgers::DetailLedgerRun run(db(), structure(), filter(7, 8));
  int compared = 0;
  for (std::size_t i = 0; i < run.subjects().size(); ++i) {
    const auto& subject = run.subjects()[i];
    for (const auto& detail : run.rows(i)) {
      if (detail.kind != LedgerRowKind::PeriodTotal) continue;
      const auto found = std::find_if(rows.begin(), rows.end(), [&](const auto& row) {
        return row.subjectId == subject.code && row.kind == ledgers::GeneralRowKind::PeriodTotal &&
               row.month == detail.date.month();
      });
      if (found == rows.end()) {
        EXPECT_TRUE(detail.debit.isZero() && detail.credit.isZero()) << subject.code;
        continue;
      }
      ++compared;
      EXPECT_EQ(found->debit, detail.debit) << subject.code;
      EXPECT_EQ(found->credit, detail.credit) << subject.code;
      EXPECT_EQ(found->balance, detail.balance.abs()) << subject.code;
      EXPECT_EQ(found->side, detail.balance.isZero()       ? ledgers::kSettled
                             : detail.balance.isNegative() ? ledgers::kCreditSide
                                                           : ledgers::kDebitSide)
          << subject.code;
    }
  }
  EXPECT_GT(compared, 10);

  // Level 1 keeps only first-level codes; no movement leaves a month out but
  // the subject still opens on its first remaining month.
  general.level = 1;
  const auto firstLevel = ledgers::BuildGeneralLedger(db(), structure(), general);
  ASSERT_FALSE(firstLevel.empty());
  for (const auto& row : firstLevel) EXPECT_EQ(row.subjectId.size(), 3U);
  db().execute("UPDATE Balance SET DEBIT=NULL, CREDIT=NULL WHERE YEARMON='201107' AND SUBJECTID='501' AND MONEYID=0");
  general.omitIdleMonths = true;
  general.subjects = {"501", "501"};
  const auto idle = ledgers::BuildGeneralLedger(db(), structure(), general);
  ASSERT_EQ(idle.size(), 3U);
  EXPECT_EQ(idle[0].summary, ledgers::kOpeningSummary);
  EXPECT_EQ(idle[1].month, 8);
  const auto august = balanceOf("501", 8, 0);
  EXPECT_EQ(idle[0].balance, august->opening().abs());
}

TEST_P(Ledgers, UnpostedVouchersChangeOnlyTheLinesAndTheirSums) {
  twoPostedMonths();
  const ledgers::DetailLedgerRun posted(db(), structure(), filter(7, 8));
  generate(8, 31, 10, 9);  // unposted
  const ledgers::DetailLedgerRun postedAgain(db(), structure(), filter(7, 8));
  const ledgers::DetailLedgerRun all(db(), structure(), filter(7, 8, 0, true));
  for (std::size_t i = 0; i < posted.subjects().size(); ++i) {
    const auto& code = posted.subjects()[i].code;
    SCOPED_TRACE(code);
    const auto before = posted.rows(i);
    const auto again = postedAgain.rows(i);
    ASSERT_EQ(before.size(), again.size());
    EXPECT_EQ(before.back().balance, again.back().balance);
    const auto with = all.rows(i);
    EXPECT_EQ(with.front().balance, before.front().balance);
    // The unposted lines of the subject and its children.
    const auto sum = db().queryOne(
        "SELECT SUM(b.DEBIT) AS d, SUM(b.CREDIT) AS c FROM VoucherDetail b JOIN VoucherMaster a ON a.CREDID=b.CREDID "
        "WHERE a.POSTFLAG='F' AND b.MONEYID=0 AND substr(b.SUBJECTID, 1, :n)=:code",
        {{"n", static_cast<long>(code.size())}, {"code", code}});
    const Money debits = sum->money("d"), credits = sum->money("c");
    EXPECT_EQ(with.back().debit, before.back().debit + debits);
    EXPECT_EQ(with.back().credit, before.back().credit + credits);
    EXPECT_EQ(with.back().balance, before.back().balance + debits - credits);
  }
}

TEST_P(Ledgers, AJournalNamesTheFirstCounterpartAndAlwaysTotalsItsFirstMonth) {
  db().execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (1, '记')");
  host().reserved[2] = "101";
  host().reserved[3] = "102";
  const auto journals = ledgers::JournalSubjects(db(), host().reserved);
  ASSERT_EQ(journals.front().code, "101");
  EXPECT_EQ(ledgers::JournalTitle("101", structure(), host().reserved), ledgers::kCashJournalTitle);
  EXPECT_EQ(ledgers::JournalTitle("1020201", structure(), host().reserved), ledgers::kBankJournalTitle);

  // Nothing posted: the opening row and one pair of zero totals.
  {
    const ledgers::Journal empty(db(), filter(7, 7), journals.front());
    ASSERT_EQ(empty.rows().size(), 3U);
    EXPECT_EQ(empty.rows()[1].kind, LedgerRowKind::PeriodTotal);
    EXPECT_TRUE(empty.rows()[1].debit.isZero());
  }

  // Cash in against two credits: the first credited line by line number.
  const std::string in = voucherIn(7, 1, true);
  line(in, "101", Yuan("300"), {});
  line(in, "501", {}, Yuan("100"));
  line(in, "20101", {}, Yuan("200"));
  db().execute("UPDATE VoucherDetail SET FENLUNO=FENLUNO+10 WHERE CREDID=:id AND SUBJECTID='501'", {{"id", in}});
  // Cash out to the bank's two accounts: a parent bank journal lists both lines.
  const std::string out = voucherIn(7, 2, true);
  line(out, "1020201", Yuan("50"), {});
  line(out, "1020202", Yuan("25"), {});
  line(out, "101", {}, Yuan("75"));

  const ledgers::Journal cash(db(), filter(7, 7), journals.front());
  ASSERT_EQ(cash.rows().size(), 5U);
  EXPECT_EQ(cash.rows()[1].subjectId, "20101");
  EXPECT_EQ(cash.rows()[2].subjectId, "1020201");
  EXPECT_EQ(cash.rows()[2].balance, Yuan("225"));
  EXPECT_EQ(cash.rows()[2].voucherNo, "记2");

  const auto bank = std::find_if(journals.begin(), journals.end(), [](const auto& s) { return s.code == "102"; });
  ASSERT_NE(bank, journals.end());
  const ledgers::Journal bankJournal(db(), filter(7, 7), *bank);
  ASSERT_EQ(bankJournal.rows().size(), 5U);
  EXPECT_EQ(bankJournal.rows()[1].subjectId, "101");
  EXPECT_EQ(bankJournal.rows()[2].subjectId, "101");
  EXPECT_EQ(bankJournal.rows()[2].balance, Yuan("75"));
}

TEST_P(Ledgers, EveryLineShowsItsOwnSummaryAndVoucherHoweverTheLinesAreRead) {
  db().execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (1, '记')");
  twoPostedMonths();
  // Each line's summary names its voucher and line number.
  db().execute("UPDATE VoucherDetail SET Precis = CREDID || '/' || CAST(FENLUNO AS VARCHAR(6))");
  const auto checkLines = [](const std::vector<LedgerRow>& rows) {
    int lines = 0;
    for (const LedgerRow& row : rows) {
      if (row.kind != LedgerRowKind::Line) continue;
      ++lines;
      const std::string credId(row.credId);
      EXPECT_EQ(row.summary.substr(0, credId.size() + 1), credId + "/");
      EXPECT_EQ(row.voucherNo, "记" + std::to_string(std::stoi(credId.substr(6))));
    }
    return lines;
  };
  // The whole chart, a range of one subject of eleven, a range of five.
  for (const auto& range : {ledgers::CodeRange{}, ledgers::CodeRange{"101", "101"}, ledgers::CodeRange{"102", "102"}}) {
    SCOPED_TRACE(range.first);
    const ledgers::DetailLedgerRun run(db(), structure(), {2011, 7, 8, 99, false, range});
    int lines = 0;
    for (std::size_t i = 0; i < run.subjects().size(); ++i) lines += checkLines(run.rows(i));
    EXPECT_GT(lines, 10);
  }
  const ledgers::Journal journal(db(), filter(7, 8, 99), {"102", "科目102", true});
  EXPECT_GT(checkLines(journal.rows()), 5);
}

TEST_P(Ledgers, ACreditSideSubjectWithADebitBalanceShowsItNegativeUnderCredit) {
  db().execute("UPDATE Subject SET DCFLAG='F' WHERE SUBJECTID IN ('201', '20101')");
  const std::string id = voucherIn(7, 1, true);
  line(id, "20101", Yuan("40"), Yuan("15"));  // both sides: only the debit counts
  line(id, "101", {}, Yuan("40"));
  const ledgers::DetailLedgerRun run(db(), structure(), filter(7, 7, 0, false));
  const auto rows = run.rows(static_cast<std::size_t>(
      std::find_if(run.subjects().begin(), run.subjects().end(), [](const auto& s) { return s.code == "20101"; }) -
      run.subjects().begin()));
  ASSERT_EQ(rows.size(), 4U);
  EXPECT_EQ(rows[1].credit, Money());
  EXPECT_EQ(rows[1].balance, -Yuan("40"));
  EXPECT_EQ(rows[1].side, ledgers::kCreditSide);
  EXPECT_EQ(rows[0].side, ledgers::kSettled);
}

TEST_P(Ledgers, VouchersWithoutADateStandInTheirOwnMonth) {
  twoPostedMonths();
  // Vouchers an outside program stored without a date, in July and August,
  // read among dated ones.
  for (const auto& [month, no] : {std::pair{7, 31}, std::pair{8, 31}, std::pair{8, 32}}) {
    const std::string id = voucherIn(month, no, true);
    db().execute("UPDATE VoucherMaster SET CREDDATE=NULL WHERE CREDID=:id", {{"id", id}});
    line(id, "501", Yuan("7"), {});
    line(id, "101", {}, Yuan("7"));
  }
  for (const auto& range : {ledgers::CodeRange{}, ledgers::CodeRange{"501", "501"}}) {
    ledgers::LedgerFilter chosen = filter(7, 8);
    chosen.subjects = range;
    const ledgers::DetailLedgerRun run(db(), structure(), chosen);
    const auto subject =
        std::find_if(run.subjects().begin(), run.subjects().end(), [](const auto& s) { return s.code == "501"; });
    const auto rows = run.rows(static_cast<std::size_t>(subject - run.subjects().begin()));
    int undated = 0;
    for (const auto& row : rows) {
      if (row.kind != LedgerRowKind::Line || row.debit != Yuan("7")) continue;
      ++undated;
      EXPECT_EQ(row.date, Period::parse(row.credId.substr(0, 6))->firstDay()) << range.first;
    }
    EXPECT_EQ(undated, 3) << range.first;
  }
}

TEST_P(Ledgers, TheFilterRefusesPeriodsOutsideTheBooks) {
  const AccountBooksData& book = host().book;
  EXPECT_EQ(ledgers::ValidateLedgerFilter(book, 2011, 6, 7)->text, "会计期间不能从系统开帐日之前开始");
  EXPECT_EQ(ledgers::ValidateLedgerFilter(book, 2011, 8, 9)->text, "会计期间不能从当前会计期间之后开始");
  EXPECT_EQ(ledgers::ValidateLedgerFilter(book, 2011, 7, 6)->text, "会计开始期间不能大于会计结束期间");
  EXPECT_TRUE(ledgers::ValidateLedgerFilter(book, 1969, 7, 7));
  EXPECT_TRUE(ledgers::ValidateLedgerFilter(book, 2011, 7, 13));
  EXPECT_FALSE(ledgers::ValidateLedgerFilter(book, 2011, 7, 12));

  // A range that matches no subject is a run of none; codes are compared, not matched as patterns.
  EXPECT_TRUE(ledgers::DetailLedgerRun(db(), structure(), {2011, 7, 7, 0, false, {"9", "99"}}).subjects().empty());
  const ledgers::DetailLedgerRun wild(db(), structure(), {2011, 7, 7, 0, false, {"10_", "10_"}});
  EXPECT_TRUE(wild.subjects().empty());
}

}  // namespace
}  // namespace qj::test
