#include "ledgers/ledger_screen_models.h"

#include <algorithm>

#include "ledgers/ledger_queries.h"

namespace qj::ledgers {
namespace {

std::optional<std::string> voucherOfRow(const std::vector<LedgerRow>& rows, std::size_t row) {
  if (row >= rows.size() || rows[row].kind != LedgerRowKind::Line || rows[row].credId.empty()) return std::nullopt;
  return std::string(rows[row].credId);
}

const std::vector<LedgerRow>& noRows() {
  static const std::vector<LedgerRow> none;
  return none;
}

}  // namespace

void DetailLedgerModel::load(data::Connection& db, const base::CodeStructure& structure, const LedgerFilter& filter) {
  auto subjects = LedgerSubjects(db, filter.subjects);
  currencyName_ = CurrencyName(db, filter.currency);
  db_ = &db;
  structure_ = structure;
  filter_ = filter;
  subjects_ = std::move(subjects);
  index_ = 0;
  rows_.clear();
  run_.reset();
  moveTo(0);
}

void DetailLedgerModel::moveTo(std::size_t index) {
  if (subjectCount() == 0) return;
  const std::size_t target = std::min(index, subjectCount() - 1);
  if (run_ && target == index_) return;
  // The subject alone: its run reads its own lines and its sub-accounts'.
  LedgerFilter one = filter_;
  one.subjects = {subjects_[target].code, subjects_[target].code};
  auto run = std::make_unique<DetailLedgerRun>(*db_, structure_, one);
  rows_ = run->subjects().empty() ? std::vector<LedgerRow>() : run->rows(0);
  run_ = std::move(run);
  index_ = target;
}

std::vector<SheetColumn> DetailLedgerModel::columns() const {
  return LedgerColumns(LedgerKind::Detail, filter_.foreign(), false);
}

std::vector<SheetRow> DetailLedgerModel::cells() const {
  std::vector<SheetRow> cells;
  if (subjectCount() == 0) return cells;
  cells.reserve(rows_.size());
  for (const auto& row : rows_)
    cells.push_back(LedgerCells(row, subjects_[index_], LedgerKind::Detail, filter_.foreign(), false));
  return cells;
}

std::vector<std::string> DetailLedgerModel::headerLines() const {
  std::vector<std::string> lines;
  if (subjectCount() > 0)
    lines.push_back(LedgerSubjectHeader(subjects_[index_], currencyName_));
  else
    lines.emplace_back("所选范围内没有科目");
  lines.push_back("币种：" + currencyName_ + "  " +
                  LedgerPeriodHeader(filter_.year, filter_.fromMonth, filter_.toMonth));
  return lines;
}

std::optional<std::string> DetailLedgerModel::voucherOf(std::size_t row) const { return voucherOfRow(rows_, row); }

void JournalModel::load(data::Connection& db, const base::CodeStructure& structure, const ReservedSubjects& reserved,
                        const LedgerFilter& filter, const LedgerSubject& subject) {
  auto journal = std::make_unique<Journal>(db, filter, subject);
  currencyName_ = CurrencyName(db, filter.currency);
  title_ = JournalTitle(subject.code, structure, reserved);
  filter_ = filter;
  journal_ = std::move(journal);
}

const std::vector<LedgerRow>& JournalModel::rows() const { return journal_ ? journal_->rows() : noRows(); }

std::vector<SheetColumn> JournalModel::columns() const {
  return LedgerColumns(LedgerKind::Journal, filter_.foreign(), false);
}

std::vector<SheetRow> JournalModel::cells() const {
  std::vector<SheetRow> cells;
  if (!journal_) return cells;
  for (const auto& row : journal_->rows())
    cells.push_back(LedgerCells(row, journal_->subject(), LedgerKind::Journal, filter_.foreign(), false));
  return cells;
}

std::vector<std::string> JournalModel::headerLines() const {
  std::vector<std::string> lines;
  if (journal_) lines.push_back(LedgerSubjectHeader(journal_->subject(), currencyName_));
  lines.push_back("币种：" + currencyName_ + "  " +
                  LedgerPeriodHeader(filter_.year, filter_.fromMonth, filter_.toMonth));
  return lines;
}

std::optional<std::string> JournalModel::voucherOf(std::size_t row) const { return voucherOfRow(rows(), row); }

void GeneralLedgerModel::load(data::Connection& db, const base::CodeStructure& structure,
                              const GeneralLedgerFilter& filter) {
  auto rows = BuildGeneralLedger(db, structure, filter);
  currencyName_ = CurrencyName(db, filter.currency);
  filter_ = filter;
  rows_ = std::move(rows);
}

std::vector<SheetColumn> GeneralLedgerModel::columns() const { return GeneralLedgerColumns(filter_.foreign()); }

std::vector<SheetRow> GeneralLedgerModel::cells() const {
  std::vector<SheetRow> cells;
  cells.reserve(rows_.size());
  for (const auto& row : rows_) cells.push_back(GeneralLedgerCells(row, filter_.foreign()));
  return cells;
}

std::vector<std::string> GeneralLedgerModel::headerLines() const {
  return {"币种：" + currencyName_ + "  " + LedgerPeriodHeader(filter_.year, filter_.fromMonth, filter_.toMonth)};
}

std::optional<DrillDown> GeneralLedgerModel::drillDown(std::size_t row, const base::CodeStructure& structure,
                                                       const ReservedSubjects& reserved) const {
  if (row >= rows_.size()) return std::nullopt;
  const GeneralLedgerRow& chosen = rows_[row];
  DrillDown target;
  target.journal = IsCashOrBankSubject(chosen.subjectId, structure, reserved);
  target.code = chosen.subjectId;
  target.filter = {
      filter_.year, filter_.fromMonth, filter_.toMonth, filter_.currency, false, {chosen.subjectId, chosen.subjectId}};
  return target;
}

std::vector<MonthFigures> GeneralLedgerModel::monthsOf(std::size_t row) const {
  std::vector<MonthFigures> months;
  if (row >= rows_.size()) return months;
  const std::string& code = rows_[row].subjectId;
  for (const auto& each : rows_) {
    if (each.subjectId != code || each.kind != GeneralRowKind::PeriodTotal) continue;
    const Money signedBalance = each.side == kCreditSide ? -each.balance : each.balance;
    months.push_back({each.month, each.debit, each.credit, signedBalance});
  }
  return months;
}

}  // namespace qj::ledgers
