#include "ledgers/detail_ledger.h"

#include <string_view>
#include <unordered_map>

#include "balances/balance_span_store.h"
#include "ledgers/ledger_queries.h"

namespace qj::ledgers {

DetailLedgerRun::DetailLedgerRun(data::Connection& db, const base::CodeStructure& structure, LedgerFilter filter)
    : filter_(std::move(filter)) {
  subjects_ = LedgerSubjects(db, filter_.subjects);
  subjectLines_.resize(subjects_.size());
  if (subjects_.empty()) return;

  const Period from{filter_.year, filter_.fromMonth};
  const Period to{filter_.year, filter_.toMonth};
  std::unordered_map<std::string_view, std::size_t> indexOf;
  for (std::size_t i = 0; i < subjects_.size(); ++i) indexOf.emplace(subjects_[i].code, i);

  openings_.assign(subjects_.size(), LedgerOpening{});
  const auto months = balances::ReadBalanceSpan(
      db, {from, from, filter_.currency, filter_.subjects.first, filter_.subjects.last, false});
  for (const auto& month : months) {
    const auto found = indexOf.find(month.key.second);
    if (found != indexOf.end()) openings_[found->second] = GetLedgerOpening(&month, filter_.foreign());
  }

  LineSelection selection{from, to, filter_.includeUnposted, std::nullopt, filter_.subjects, false};
  if (filter_.currency != base::kAllCurrencies) selection.currency = filter_.currency;
  OpenLedgerLines(db, selection, lines_);
  lines_.sort();

  // A line belongs to its own subject and every ancestor in the run; the
  // subjects a line code reaches are worked out once per code.
  std::unordered_map<std::string_view, std::vector<std::size_t>> reachedBy;
  for (const LedgerLine* line : lines_.ordered()) {
    auto reached = reachedBy.find(line->subjectId);
    if (reached == reachedBy.end()) {
      std::vector<std::size_t> targets;
      const std::string_view code = line->subjectId;
      for (const int length : structure.cumulativeLengths()) {
        if (static_cast<std::size_t>(length) >= code.size()) break;
        const auto found = indexOf.find(code.substr(0, static_cast<std::size_t>(length)));
        if (found != indexOf.end()) targets.push_back(found->second);
      }
      if (const auto own = indexOf.find(code); own != indexOf.end()) targets.push_back(own->second);
      reached = reachedBy.emplace(code, std::move(targets)).first;
    }
    for (const std::size_t target : reached->second) subjectLines_[target].push_back(line);
  }
}

std::vector<LedgerRow> DetailLedgerRun::rows(std::size_t index) const {
  std::vector<LedgerRow> rows;
  rows.reserve(subjectLines_.at(index).size() + 4);
  BuildLedger(subjects_[index], openings_[index], filter_, subjectLines_[index], false, rows);
  return rows;
}

}  // namespace qj::ledgers
