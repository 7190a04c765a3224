// The voucher lines a ledger run reads, held once for every subject of the
// run, in the order the ledgers list them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "data/date.h"
#include "data/money.h"

namespace qj::ledgers {

// A year of lines is held at once, so the fields are packed: texts are views
// of what the lines keep, each repeated text kept once.
struct LedgerLine {
  std::string_view credId;
  std::string_view subjectId;
  std::string_view voucherNo;  // voucher word and number, "记12"
  std::string_view summary;
  // A journal line's counterpart subject; empty when the voucher has none.
  std::string_view counterpart;
  Date date;
  std::int32_t typeId = 0;
  std::int32_t fenLuNo = 0;
  std::int32_t moneyId = 0;
  std::int64_t credCode = 0;
  Money rate, rawDebit, rawCredit, debit, credit;
};

class LedgerLines {
 public:
  LedgerLines() = default;
  LedgerLines(const LedgerLines&) = delete;
  LedgerLines& operator=(const LedgerLines&) = delete;
  LedgerLines(LedgerLines&&) = delete;
  LedgerLines& operator=(LedgerLines&&) = delete;

  // Adds a line. Its texts may view the caller's storage: the lines keep
  // their own copies (its counterpart is set later, to a text of the lines).
  // A line stays where it was put, so views of it hold.
  void add(LedgerLine line);
  // Puts the lines in ledger order: by date, voucher type, voucher number and
  // line number, so a voucher's lines stand together.
  void sort();

  // The lines, in ledger order once sorted.
  [[nodiscard]] const std::vector<LedgerLine*>& ordered() const { return ordered_; }

 private:
  // A copy of `text` that stays where it is while more are kept.
  std::string_view keep(std::string_view text);
  // `text` kept once for every line that shares it.
  std::string_view keepShared(std::string_view text);

  // Grown a block at a time without moving what it holds: no second copy of
  // a year of lines while it grows, and one allocation for many lines.
  static constexpr std::size_t kLinesPerBlock = 4096;
  std::vector<std::vector<LedgerLine>> lines_;
  std::vector<LedgerLine*> ordered_;

  // Texts in blocks of kTextBlock characters (a longer text in a block of
  // its own). A voucher's id and number are kept once for the lines that
  // follow one another; subject codes and summaries, which repeat all over,
  // once for all lines.
  static constexpr std::size_t kTextBlock = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> textBlocks_;
  std::size_t textUsed_ = kTextBlock;
  std::unordered_set<std::string_view> shared_;
  std::string_view lastCredId_, lastVoucherNo_;
};

}  // namespace qj::ledgers
