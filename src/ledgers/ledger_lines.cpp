#include "ledgers/ledger_lines.h"

#include <algorithm>
#include <tuple>

namespace qj::ledgers {

void LedgerLines::add(LedgerLine line, std::string_view summary) {
  auto found = summaryIndex_.find(summary);
  if (found == summaryIndex_.end()) found = summaryIndex_.insert(summaries_.emplace_back(summary)).first;
  line.summary = *found;
  ordered_.push_back(&lines_.emplace_back(std::move(line)));
}

void LedgerLines::sort() {
  const auto order = [](const LedgerLine* line) {
    return std::tie(line->date, line->typeId, line->credCode, line->credId, line->fenLuNo);
  };
  std::sort(ordered_.begin(), ordered_.end(),
            [&order](const LedgerLine* a, const LedgerLine* b) { return order(a) < order(b); });
}

}  // namespace qj::ledgers
