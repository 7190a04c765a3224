// The lines a ledger run holds: their texts are copies kept by the lines, so
// they outlive the caller's rows, survive the lines' growth and sorting, and
// are never mixed up between lines.
#include <gtest/gtest.h>

#include <string>

#include "data/date.h"
#include "data/period.h"
#include "ledgers/ledger_lines.h"

namespace qj::test {
namespace {

using ledgers::LedgerLine;

TEST(LedgerLines, EveryLineKeepsItsOwnTextsThroughGrowthAndSorting) {
  // Enough vouchers that the texts fill several blocks; each voucher's lines
  // one after another, as the ledgers read them, dated backwards so sorting
  // moves every line.
  constexpr int kVouchers = 9000;
  ledgers::LedgerLines lines;
  for (int voucher = 0; voucher < kVouchers; ++voucher) {
    const std::string credId = "2011" + IntToStr(voucher, 8);
    const std::string voucherNo = "记" + std::to_string(voucher);
    for (int no = 0; no < 3; ++no) {
      std::string subject = std::to_string(100 + (voucher + no) % 7);
      std::string summary = no == 2 ? std::string(48, 'x') : "摘要" + std::to_string(voucher % 5);
      LedgerLine line;
      line.credId = credId;
      line.voucherNo = voucherNo;
      line.subjectId = subject;
      line.summary = summary;
      line.date = Date(2011, 1, 1).addDays(kVouchers - voucher);
      line.credCode = voucher;
      line.fenLuNo = no;
      lines.add(line);
      // The caller's texts are gone before the next line comes.
      subject.assign(subject.size(), '?');
      summary.assign(summary.size(), '?');
    }
  }
  lines.sort();

  ASSERT_EQ(lines.ordered().size(), static_cast<std::size_t>(3 * kVouchers));
  for (std::size_t i = 0; i < lines.ordered().size(); ++i) {
    const LedgerLine& line = *lines.ordered()[i];
    const int voucher = kVouchers - 1 - static_cast<int>(i / 3);
    SCOPED_TRACE(voucher);
    ASSERT_EQ(line.credCode, voucher);
    ASSERT_EQ(line.fenLuNo, static_cast<int>(i % 3));
    ASSERT_EQ(line.credId, "2011" + IntToStr(voucher, 8));
    ASSERT_EQ(line.voucherNo, "记" + std::to_string(voucher));
    ASSERT_EQ(line.subjectId, std::to_string(100 + (voucher + line.fenLuNo) % 7));
    ASSERT_EQ(line.summary, line.fenLuNo == 2 ? std::string(48, 'x') : "摘要" + std::to_string(voucher % 5));
  }
  // Repeated texts are kept once.
  EXPECT_EQ(lines.ordered()[0]->summary.data(), lines.ordered()[15]->summary.data());
}

TEST(LedgerLines, ATextLongerThanABlockLeavesTheTextsAfterItWhole) {
  // Nothing in the book's columns stops a summary of any length.
  ledgers::LedgerLines lines;
  const std::string longSummary(70000, 'L');
  const auto add = [&lines](const std::string& credId, const std::string& summary) {
    const std::string voucherNo = "记" + credId;
    LedgerLine line;
    line.credId = credId;
    line.voucherNo = voucherNo;
    line.subjectId = "1001";
    line.summary = summary;
    lines.add(line);
  };
  add("201101000001", "short");
  add("201101000002", longSummary);
  for (int i = 3; i < 3000; ++i) add("2011010" + IntToStr(i, 5), "摘要" + std::to_string(i));
  ASSERT_EQ(lines.ordered().size(), 2999U);
  EXPECT_EQ(lines.ordered()[0]->summary, "short");
  EXPECT_EQ(lines.ordered()[1]->summary, longSummary);
  for (std::size_t i = 2; i < lines.ordered().size(); ++i) {
    ASSERT_EQ(lines.ordered()[i]->credId, "2011010" + IntToStr(static_cast<int>(i) + 1, 5));
    ASSERT_EQ(lines.ordered()[i]->summary, "摘要" + std::to_string(i + 1));
  }
}

}  // namespace
}  // namespace qj::test
