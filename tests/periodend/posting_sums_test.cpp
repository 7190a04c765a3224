// The in-memory pieces posting sums a month with: subject numbering, the
// claimed vouchers' lookup and the per-subject sums, checked against plain
// maps over the same random lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "periodend/posting_store.h"
#include "periodend/subject_numbers.h"

namespace qj::test {
namespace {

std::string voucherId(int serial) {
  return "201107" + std::string(6 - std::to_string(serial).size(), '0') + std::to_string(serial);
}

TEST(SubjectNumbers, EachCodeKeepsTheNumberItFirstGotThroughGrowth) {
  periodend::SubjectNumbers numbers;
  std::vector<std::string> codes;
  codes.reserve(5001);
  // Codes sharing prefixes and lengths, enough to grow the table several times.
  for (int i = 0; i < 5000; ++i) codes.push_back(std::to_string(1000 + i % 97) + std::to_string(i));
  codes.push_back("");
  for (std::size_t i = 0; i < codes.size(); ++i) ASSERT_EQ(numbers.numberOf(codes[i]), i) << codes[i];
  ASSERT_EQ(numbers.size(), codes.size());
  for (std::size_t i = codes.size(); i-- > 0;) {
    ASSERT_EQ(numbers.numberOf(codes[i]), i) << codes[i];
    ASSERT_EQ(numbers.code(i), codes[i]);
  }
  EXPECT_EQ(numbers.size(), codes.size()) << "looking a code up again numbers nothing new";
}

TEST(ClaimedVouchers, LookupsInAnyOrderAgreeWithTheSet) {
  std::mt19937 random(7);
  std::set<std::string> expected;
  std::vector<std::string> claimed;
  for (int serial = 1; serial <= 3000; ++serial) {
    if (random() % 3 == 0) continue;  // unclaimed vouchers between claimed ones
    expected.insert(voucherId(serial));
    claimed.push_back(voucherId(serial));
    if (random() % 50 == 0) claimed.push_back(voucherId(serial));  // a statement may name one twice
  }
  std::shuffle(claimed.begin(), claimed.end(), random);
  const periodend::ClaimedVouchers vouchers(claimed);
  EXPECT_EQ(vouchers.size(), expected.size());

  // In identifier order (a month's lines), in runs with jumps back, and at random.
  std::vector<std::string> asked;
  for (int serial = 0; serial <= 3001; ++serial) asked.push_back(voucherId(serial));
  for (int run = 0; run < 200; ++run) {
    const int start = static_cast<int>(random() % 3000);
    for (int serial = start; serial < start + 20; ++serial) asked.push_back(voucherId(serial));
  }
  for (int i = 0; i < 3000; ++i) asked.push_back(voucherId(static_cast<int>(random() % 3100)));
  asked.push_back("");
  asked.push_back("999999999999");
  std::size_t from = 0;
  for (const std::string& id : asked) {
    ASSERT_EQ(vouchers.contains(id, from), expected.contains(id)) << id;
    ASSERT_EQ(vouchers.contains(id), expected.contains(id)) << id;
  }
}

TEST(ClaimedSumsBuilder, SumsOnlyTheClaimedVouchersPerSubjectAndCurrency) {
  std::mt19937 random(11);
  // Many subjects in several currencies, so that a subject meets a new
  // currency while the sums are growing.
  std::vector<std::string> subjects;
  subjects.reserve(300);
  for (int i = 0; i < 300; ++i) subjects.push_back(std::to_string(1001 + i) + (i % 3 == 0 ? "01" : ""));
  std::vector<std::string> claimedIds;
  using Key = std::pair<std::string, std::int64_t>;
  std::map<Key, periodend::ClaimedSum> expected;
  std::vector<std::tuple<std::string, std::string, std::int64_t, Money, Money>> lines;
  for (int serial = 1; serial <= 2000; ++serial) {
    const bool claimed = random() % 4 != 0;
    if (claimed) claimedIds.push_back(voucherId(serial));
    for (int line = 0; line < 1 + static_cast<int>(random() % 5); ++line) {
      const std::string& subject = subjects[random() % subjects.size()];
      const auto money = static_cast<std::int64_t>(1 + random() % 4);
      const Money amount = Money::fromUnits(static_cast<std::int64_t>(random() % 1000000));
      const bool debit = random() % 2 == 0;
      lines.emplace_back(voucherId(serial), subject, money, debit ? amount : Money(), debit ? Money() : amount);
      if (!claimed) continue;
      periodend::ClaimedSum& sum = expected[{subject, money}];
      sum.subject = subject;
      sum.moneyId = money;
      // A line with no amount on either side counts as a credit line of 0.
      if (debit && !amount.isZero()) {
        sum.debit += amount;
        sum.rawDebit += amount + amount;
      } else {
        sum.credit += amount;
        sum.rawCredit += amount + amount;
      }
    }
  }
  const periodend::ClaimedVouchers vouchers(claimedIds);
  const auto check = [&](const char* order) {
    periodend::ClaimedSumsBuilder sums(&vouchers);
    for (const auto& [credId, subject, money, debit, credit] : lines)
      sums.add(credId, subject, money, debit, credit, debit + debit, credit + credit);
    const std::vector<periodend::ClaimedSum> got = sums.take();
    ASSERT_EQ(got.size(), expected.size()) << order;
    auto want = expected.begin();
    for (const periodend::ClaimedSum& sum : got) {
      const periodend::ClaimedSum& w = (want++)->second;
      const std::string what = std::string(order) + " " + sum.subject + "/" + std::to_string(sum.moneyId);
      EXPECT_EQ(std::tie(sum.subject, sum.moneyId), std::tie(w.subject, w.moneyId)) << what;
      EXPECT_EQ(sum.debit, w.debit) << what;
      EXPECT_EQ(sum.credit, w.credit) << what;
      EXPECT_EQ(sum.rawDebit, w.rawDebit) << what;
      EXPECT_EQ(sum.rawCredit, w.rawCredit) << what;
    }
    EXPECT_TRUE(sums.take().empty()) << "take leaves the builder empty";
  };
  check("by voucher");
  // A pass over the month with no sort gives the lines in any order.
  std::shuffle(lines.begin(), lines.end(), random);
  check("shuffled");
}

}  // namespace
}  // namespace qj::test
