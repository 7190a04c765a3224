// The voucher lines a ledger run reads, held once for every subject of the
// run, in the order the ledgers list them.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "data/date.h"
#include "data/money.h"

namespace qj::ledgers {

// A year of lines is held at once, so the fields are packed.
struct LedgerLine {
  std::string credId;
  std::string subjectId;
  std::string voucherNo;  // voucher word and number, "记12"
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
  LedgerLines(LedgerLines&&) = default;
  LedgerLines& operator=(LedgerLines&&) = default;

  // Adds a line; its summary text is kept once for all lines that share it.
  // A line stays where it was put, so views of it hold.
  void add(LedgerLine line, std::string_view summary);
  // Puts the lines in ledger order: by date, voucher type, voucher number and
  // line number, so a voucher's lines stand together.
  void sort();

  // The lines, in ledger order once sorted.
  [[nodiscard]] const std::vector<LedgerLine*>& ordered() const { return ordered_; }

 private:
  // Grown without moving what it holds: no second copy of a year of lines
  // while it grows.
  std::deque<LedgerLine> lines_;
  std::vector<LedgerLine*> ordered_;
  // Summaries repeat; each text is stored once and lines view it.
  std::deque<std::string> summaries_;
  std::unordered_set<std::string_view> summaryIndex_;
};

}  // namespace qj::ledgers
