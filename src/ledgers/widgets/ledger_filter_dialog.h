// The filter dialogs of the ledgers: "明细分类帐" (a range of subjects),
// "现金、银行存款日记帐" (one cash or bank subject) and "总分类帐" (a level
// and a range of codes). OK checks the period; a refusal keeps the dialog open.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "hostapi/host_services.h"
#include "ledgers/general_ledger.h"
#include "ledgers/ledger_filter.h"
#include "ledgers/ledger_row.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace qj::ledgers {

// The year, months and currency every ledger filter asks.
class PeriodFields {
 public:
  PeriodFields(HostServices& host, int year, int fromMonth, int toMonth, int currency);
  QSpinBox* year;
  QSpinBox* fromMonth;
  QSpinBox* toMonth;
  QComboBox* currency;
  [[nodiscard]] int chosenCurrency() const;
};

class LedgerFilterDialog final : public QDialog {
 public:
  enum class Kind { Detail, Journal };
  // A journal's filter starts on `journalCode` when it is one of the subjects offered.
  LedgerFilterDialog(HostServices& host, Kind kind, const LedgerFilter& initial, QWidget* parent,
                     const std::string& journalCode = {});

  [[nodiscard]] LedgerFilter filter() const;
  // The journal's subject; none when the book has no cash or bank subject.
  [[nodiscard]] std::optional<LedgerSubject> journalSubject() const;
  void accept() override;

 private:
  QLineEdit* codeField(const std::string& code, const char* objectName);

  HostServices& host_;
  Kind kind_;
  PeriodFields period_;
  QCheckBox* unposted_;
  QLineEdit* firstCode_ = nullptr;
  QLineEdit* lastCode_ = nullptr;
  QComboBox* subject_ = nullptr;
  std::vector<LedgerSubject> journalSubjects_;
};

class GeneralLedgerFilterDialog final : public QDialog {
 public:
  GeneralLedgerFilterDialog(HostServices& host, const GeneralLedgerFilter& initial, QWidget* parent);

  [[nodiscard]] GeneralLedgerFilter filter() const;
  void accept() override;

 private:
  HostServices& host_;
  PeriodFields period_;
  QSpinBox* level_;
  QLineEdit* firstCode_;
  QLineEdit* lastCode_;
  QCheckBox* omitIdle_;
};

}  // namespace qj::ledgers
