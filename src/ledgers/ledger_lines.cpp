#include "ledgers/ledger_lines.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <tuple>

namespace qj::ledgers {

std::string_view LedgerLines::keep(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > kTextBlock) {
    // A text longer than a block gets one of its own, put before the block
    // being filled, which goes on being filled.
    auto own = std::make_unique_for_overwrite<char[]>(text.size());
    std::memcpy(own.get(), text.data(), text.size());
    const std::string_view kept(own.get(), text.size());
    textBlocks_.insert(textBlocks_.empty() ? textBlocks_.end() : textBlocks_.end() - 1, std::move(own));
    return kept;
  }
  if (text.size() > kTextBlock - textUsed_) {
    textBlocks_.push_back(std::make_unique_for_overwrite<char[]>(kTextBlock));
    textUsed_ = 0;
  }
  char* at = textBlocks_.back().get() + textUsed_;
  std::memcpy(at, text.data(), text.size());
  textUsed_ += text.size();
  return {at, text.size()};
}

std::string_view LedgerLines::keepShared(std::string_view text) {
  auto found = shared_.find(text);
  if (found == shared_.end()) found = shared_.insert(keep(text)).first;
  return *found;
}

void LedgerLines::add(LedgerLine line) {
  if (line.credId != lastCredId_) {
    lastCredId_ = keep(line.credId);
    lastVoucherNo_ = keep(line.voucherNo);
  } else if (line.voucherNo != lastVoucherNo_) {
    lastVoucherNo_ = keep(line.voucherNo);
  }
  line.credId = lastCredId_;
  line.voucherNo = lastVoucherNo_;
  line.subjectId = keepShared(line.subjectId);
  line.summary = keepShared(line.summary);
  if (lines_.empty() || lines_.back().size() == kLinesPerBlock) lines_.emplace_back().reserve(kLinesPerBlock);
  ordered_.push_back(&lines_.back().emplace_back(line));
}

void LedgerLines::sort() {
  const auto order = [](const LedgerLine* line) {
    return std::tie(line->date, line->typeId, line->credCode, line->credId, line->fenLuNo);
  };
  std::sort(ordered_.begin(), ordered_.end(),
            [&order](const LedgerLine* a, const LedgerLine* b) { return order(a) < order(b); });
}

}  // namespace qj::ledgers
