// What the ledger windows show and do, without Qt: the detail ledger's
// subject navigator, a journal, the general ledger with its drill-down and
// its monthly chart, each as header lines and a sheet of cells.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"
#include "hostapi/account_books_data.h"
#include "ledgers/detail_ledger.h"
#include "ledgers/general_ledger.h"
#include "ledgers/journal.h"
#include "ledgers/ledger_sheet.h"

namespace qj::ledgers {

// The function and action 调阅凭证 asks of the user.
inline constexpr int kOpenVoucherFunction = 58;
inline constexpr int kOpenVoucherAction = 1;

// The detail ledger window: one subject of the run at a time. Each subject's
// rows are read when the window moves to it, so a run over the whole chart
// shows its first subject without reading the year's lines first.
class DetailLedgerModel {
 public:
  // `db` is read again at each move and must outlive the model.
  void load(data::Connection& db, const base::CodeStructure& structure, const LedgerFilter& filter);

  [[nodiscard]] const LedgerFilter& filter() const { return filter_; }
  [[nodiscard]] std::size_t subjectCount() const { return subjects_.size(); }
  [[nodiscard]] std::size_t subjectIndex() const { return index_; }
  // The navigator: moves to another subject of the run (held to the run).
  void moveTo(std::size_t index);
  void first() { moveTo(0); }
  void previous() { moveTo(index_ == 0 ? 0 : index_ - 1); }
  void next() { moveTo(index_ + 1); }
  void last() { moveTo(subjectCount() == 0 ? 0 : subjectCount() - 1); }

  [[nodiscard]] const std::vector<LedgerRow>& rows() const { return rows_; }
  [[nodiscard]] std::vector<SheetColumn> columns() const;
  [[nodiscard]] std::vector<SheetRow> cells() const;
  // The lines above the grid: subject, currency and period.
  [[nodiscard]] std::vector<std::string> headerLines() const;
  // The voucher of a line row; none on the opening and total rows.
  [[nodiscard]] std::optional<std::string> voucherOf(std::size_t row) const;

 private:
  data::Connection* db_ = nullptr;
  base::CodeStructure structure_{{}};
  LedgerFilter filter_;
  std::string currencyName_;
  std::vector<LedgerSubject> subjects_;
  std::size_t index_ = 0;
  // The current subject's run: its rows view it.
  std::unique_ptr<DetailLedgerRun> run_;
  std::vector<LedgerRow> rows_;
};

// The cash or bank journal window.
class JournalModel {
 public:
  void load(data::Connection& db, const base::CodeStructure& structure, const ReservedSubjects& reserved,
            const LedgerFilter& filter, const LedgerSubject& subject);

  [[nodiscard]] const LedgerFilter& filter() const { return filter_; }
  [[nodiscard]] const std::string& title() const { return title_; }
  [[nodiscard]] const std::vector<LedgerRow>& rows() const;
  [[nodiscard]] std::vector<SheetColumn> columns() const;
  [[nodiscard]] std::vector<SheetRow> cells() const;
  [[nodiscard]] std::vector<std::string> headerLines() const;
  [[nodiscard]] std::optional<std::string> voucherOf(std::size_t row) const;

 private:
  LedgerFilter filter_;
  std::string title_ = kCashJournalTitle;
  std::string currencyName_;
  std::unique_ptr<Journal> journal_;
};

// Where the general ledger's 明细帐 leads from a row.
struct DrillDown {
  bool journal = false;  // a cash or bank subject opens its journal, any other its detail ledger
  std::string code;
  LedgerFilter filter;  // the same year, months and currency, the one subject
};

// One month of the chart under the general ledger.
struct MonthFigures {
  int month = 0;
  Money debit, credit;
  Money balance;  // signed: debit minus credit
};

class GeneralLedgerModel {
 public:
  void load(data::Connection& db, const base::CodeStructure& structure, const GeneralLedgerFilter& filter);

  [[nodiscard]] const GeneralLedgerFilter& filter() const { return filter_; }
  [[nodiscard]] const std::vector<GeneralLedgerRow>& rows() const { return rows_; }
  [[nodiscard]] std::vector<SheetColumn> columns() const;
  [[nodiscard]] std::vector<SheetRow> cells() const;
  [[nodiscard]] std::vector<std::string> headerLines() const;
  // The drill-down from a row; none when there is no such row.
  [[nodiscard]] std::optional<DrillDown> drillDown(std::size_t row, const base::CodeStructure& structure,
                                                   const ReservedSubjects& reserved) const;
  // The months of the row's subject, for its chart.
  [[nodiscard]] std::vector<MonthFigures> monthsOf(std::size_t row) const;

 private:
  GeneralLedgerFilter filter_;
  std::string currencyName_;
  std::vector<GeneralLedgerRow> rows_;
};

}  // namespace qj::ledgers
