#include "ledgers/journal.h"

#include "balances/balance_span_store.h"
#include "ledgers/ledger_build.h"
#include "ledgers/ledger_queries.h"

namespace qj::ledgers {
namespace {

// Entries of the host's reserved subjects.
constexpr int kCashEntry = 2;
constexpr int kBankEntry = 3;

std::string reservedCode(const ReservedSubjects& reserved, int entry) {
  const auto found = reserved.find(entry);
  return found == reserved.end() ? std::string() : found->second;
}

std::string firstLevelCode(const std::string& code, const base::CodeStructure& structure) {
  if (structure.levels() == 0) return code;
  return code.substr(0, static_cast<std::size_t>(structure.cumulativeLengths().front()));
}

}  // namespace

std::vector<LedgerSubject> JournalSubjects(data::Connection& db, const ReservedSubjects& reserved) {
  return SubjectsUnder(db, {reservedCode(reserved, kCashEntry), reservedCode(reserved, kBankEntry)});
}

std::string JournalTitle(const std::string& code, const base::CodeStructure& structure,
                         const ReservedSubjects& reserved) {
  const std::string cash = reservedCode(reserved, kCashEntry);
  return !cash.empty() && firstLevelCode(code, structure) == cash ? kCashJournalTitle : kBankJournalTitle;
}

bool IsCashOrBankSubject(const std::string& code, const base::CodeStructure& structure,
                         const ReservedSubjects& reserved) {
  const std::string first = firstLevelCode(code, structure);
  for (const int entry : {kCashEntry, kBankEntry}) {
    const std::string reservedSubject = reservedCode(reserved, entry);
    if (!reservedSubject.empty() && first == reservedSubject) return true;
  }
  return false;
}

Journal::Journal(data::Connection& db, const LedgerFilter& filter, LedgerSubject subject)
    : subject_(std::move(subject)) {
  const Period from{filter.year, filter.fromMonth};
  const Period to{filter.year, filter.toMonth};
  const CodeRange own{subject_.code, subject_.code};
  const auto months = balances::ReadBalanceSpan(db, {from, from, filter.currency, own.first, own.last, false});
  const LedgerOpening opening = GetLedgerOpening(months.empty() ? nullptr : &months.front(), filter.foreign());

  // Whole vouchers are read, so that each line finds its counterpart among
  // its voucher's other lines.
  OpenLedgerLines(db, {from, to, filter.includeUnposted, std::nullopt, own, true}, lines_);
  lines_.sort();

  std::vector<const LedgerLine*> ledgerLines;
  const std::vector<LedgerLine*>& all = lines_.ordered();
  for (std::size_t start = 0; start < all.size();) {
    std::size_t end = start;
    while (end < all.size() && all[end]->credId == all[start]->credId) ++end;
    const std::span<LedgerLine* const> voucher(all.data() + start, end - start);
    for (LedgerLine* line : voucher) {
      const bool inCurrency = filter.currency == base::kAllCurrencies || line->moneyId == filter.currency;
      if (!inCurrency || !line->subjectId.starts_with(subject_.code)) continue;
      line->counterpart = FindCounterpartSubject(voucher, *line);
      ledgerLines.push_back(line);
    }
    start = end;
  }
  BuildLedger(subject_, opening, filter, ledgerLines, true, rows_);
}

}  // namespace qj::ledgers
