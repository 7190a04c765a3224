// The ledger windows on the common list window: the detail ledger with its
// subject navigator, the cash or bank journal, and the general ledger with
// its drill-down and the chart of the current subject's months. Each shows
// a headless model and forwards the buttons to it.
#pragma once

#include <QPointer>

#include "base/widgets/list_window.h"
#include "ledgers/ledger_screen_models.h"

class QChartView;

namespace qj::ledgers {

class GeneralLedgerFilterDialog;

inline constexpr const char* kDetailLedgerScreenName = "DetailTypeList_Frm";
inline constexpr const char* kJournalScreenName = "DiaryList_Frm";
inline constexpr const char* kGeneralLedgerScreenName = "CountKindLedgerList_Frm";

class DetailLedgerWindow final : public base::ListWindow {
 public:
  explicit DetailLedgerWindow(HostServices& host, QWidget* parent = nullptr);
  // Reads the run; a failure is reported and the window stays as it was.
  void load(const LedgerFilter& filter);
  [[nodiscard]] const DetailLedgerModel& model() const { return model_; }

  void refilter();
  void move(void (DetailLedgerModel::*step)());
  void openVoucher();

 private:
  void refresh();

  HostServices& host_;
  DetailLedgerModel model_;
};

class JournalWindow final : public base::ListWindow {
 public:
  explicit JournalWindow(HostServices& host, QWidget* parent = nullptr);
  void load(const LedgerFilter& filter, const LedgerSubject& subject);
  [[nodiscard]] const JournalModel& model() const { return model_; }

  void refilter();
  void openVoucher();

 private:
  void refresh();

  HostServices& host_;
  JournalModel model_;
  LedgerSubject subject_;
};

class GeneralLedgerWindow final : public base::ListWindow {
 public:
  GeneralLedgerWindow(HostServices& host, GeneralLedgerFilterDialog* filterDialog, QWidget* parent = nullptr);
  void load(const GeneralLedgerFilter& filter);
  [[nodiscard]] const GeneralLedgerModel& model() const { return model_; }
  [[nodiscard]] QChartView* chart() { return chart_; }

  void refilter();
  // 明细帐: the journal or detail ledger of the current row's subject.
  void drillDown();

 private:
  void currentRowChanged(std::size_t row) override;
  void showChart(std::size_t row);

  HostServices& host_;
  QPointer<GeneralLedgerFilterDialog> filterDialog_;
  GeneralLedgerModel model_;
  QChartView* chart_;
};

// Opens (or reuses) the detail ledger or journal window on chosen values,
// after the user's privilege for it.
void ShowDetailLedger(HostServices& host, const LedgerFilter& filter);
void ShowJournal(HostServices& host, const LedgerFilter& filter, const std::string& subjectCode);

}  // namespace qj::ledgers
