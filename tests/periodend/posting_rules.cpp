// The rules of a posted Balance table, checked over every row at once.
#include <set>
#include <tuple>

#include "periodend/posting_fixture.h"

namespace qj::test {
namespace {

// The figures of one row, ending and opening balances as signed nets.
struct Figures {
  Money debit, credit, yearDebit, yearCredit, end, begin, yearBegin;
  Money rawDebit, rawCredit, rawEnd, rawBegin;

  void add(const Figures& o) {
    debit += o.debit, credit += o.credit, yearDebit += o.yearDebit, yearCredit += o.yearCredit;
    end += o.end, begin += o.begin, yearBegin += o.yearBegin;
    rawDebit += o.rawDebit, rawCredit += o.rawCredit, rawEnd += o.rawEnd, rawBegin += o.rawBegin;
  }
  [[nodiscard]] auto local() const { return std::tie(debit, credit, yearDebit, yearCredit, end, begin, yearBegin); }
  [[nodiscard]] auto all() const { return std::tuple_cat(local(), std::tie(rawDebit, rawCredit, rawEnd, rawBegin)); }
};

std::string describe(const Figures& f) {
  return "D=" + f.debit.toString(2) + " C=" + f.credit.toString(2) + " YD=" + f.yearDebit.toString(2) +
         " YC=" + f.yearCredit.toString(2) + " E=" + f.end.toString(2) + " RD=" + f.rawDebit.toString(2) +
         " RC=" + f.rawCredit.toString(2) + " RE=" + f.rawEnd.toString(2);
}

}  // namespace

void PostingTest::expectBalanceRules() {
  const base::CodeStructure structure(host().book.SubjectLevelLen);
  std::set<std::string> details;
  for (const data::Row& row : db().query("SELECT SUBJECTID FROM Subject WHERE DETAILFLAG='T'"))
    details.insert(row.text("SUBJECTID"));

  std::map<std::pair<std::int64_t, std::string>, Figures> rows;
  for (const data::Row& row : db().query("SELECT * FROM Balance WHERE YEARMON='201107'")) {
    const std::int64_t money = row.integer("MONEYID");
    const std::string subject = row.text("SUBJECTID");
    const std::string where = "row " + std::to_string(money) + "/" + subject;
    for (const auto& [d, c] : {std::pair{"EDEBIT", "ECREDIT"}, {"ERAWDEBIT", "ERAWCREDIT"}, {"BDEBIT", "BCREDIT"}})
      EXPECT_TRUE(row.money(d).isZero() || row.money(c).isZero()) << where << ": both " << d << " and " << c;
    const auto net = [&](const char* d, const char* c) { return row.money(d) - row.money(c); };
    Figures f{row.money("DEBIT"),
              row.money("CREDIT"),
              row.money("YDEBIT"),
              row.money("YCREDIT"),
              net("EDEBIT", "ECREDIT"),
              net("BDEBIT", "BCREDIT"),
              net("YBDEBIT", "YBCREDIT"),
              row.money("RAWDEBIT"),
              row.money("RAWCREDIT"),
              net("ERAWDEBIT", "ERAWCREDIT"),
              net("BRAWDEBIT", "BRAWCREDIT")};
    EXPECT_EQ(f.end, f.begin + f.debit - f.credit) << where;
    EXPECT_EQ(f.end, f.yearBegin + f.yearDebit - f.yearCredit) << where;
    if (money == 0 || money == 99) {
      EXPECT_TRUE(f.rawDebit.isZero() && f.rawCredit.isZero() && f.rawEnd.isZero()) << where << " has foreign figures";
    } else {
      EXPECT_EQ(f.rawEnd, f.rawBegin + f.rawDebit - f.rawCredit) << where;
    }
    rows[{money, subject}] = f;
  }

  // A summary subject's row is the sum of its direct children's rows.
  std::map<std::pair<std::int64_t, std::string>, Figures> childSums;
  for (const auto& [key, f] : rows) {
    const std::string parent = structure.parentOf(key.second);
    if (parent == key.second) continue;
    EXPECT_TRUE(rows.contains({key.first, parent})) << "row " << key.first << "/" << key.second << " has no parent";
    childSums[{key.first, parent}].add(f);
  }
  for (const auto& [key, sum] : childSums)
    EXPECT_EQ(rows[key].all(), sum.all())
        << "row " << key.first << "/" << key.second << ": " << describe(rows[key]) << " children " << describe(sum);

  // Row 99 holds the currency rows in local money.
  std::map<std::string, Figures> currencySums;
  for (const auto& [key, f] : rows)
    if (key.first != 99) currencySums[key.second].add(f);
  for (const auto& [subject, sum] : currencySums) {
    ASSERT_TRUE(rows.contains({99, subject})) << subject << " has no row 99";
    const Figures& all = rows[{99, subject}];
    EXPECT_EQ(all.local(), sum.local()) << "row 99/" << subject;
  }

  // The posted detail lines balance.
  Figures detailTotal;
  for (const auto& [key, f] : rows)
    if (key.first == 99 && details.contains(key.second)) detailTotal.add(f);
  EXPECT_EQ(detailTotal.debit, detailTotal.credit);
  EXPECT_EQ(detailTotal.yearDebit, detailTotal.yearCredit);
  EXPECT_TRUE(detailTotal.end.isZero()) << detailTotal.end.toString(2);
}

}  // namespace qj::test
