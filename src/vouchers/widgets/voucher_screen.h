// The voucher entry screen "凭证登记": a voucher drawn like the paper one —
// type, number, 顺序号, date and attachments above, the lines grid, the
// makers' names below — over the VoucherEntryModel, with its buttons and keys.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "hostapi/host_services.h"
#include "vouchers/voucher_entry_model.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace qj::base {
class FinanceBootFormWidget;
}

namespace qj::vouchers {

class VoucherGrid;

class VoucherScreen final : public QDialog {
  Q_OBJECT

 public:
  VoucherScreen(HostServices& host, VoucherEntryOptions options, QWidget* parent = nullptr);
  ~VoucherScreen() override;

  // Starts the model on a voucher ("" for a new one). False when the screen
  // must not show: the shared voucher lock was refused or the book could not
  // be read (the user has been told).
  bool start(const std::string& credId = {});

  [[nodiscard]] VoucherEntryModel& model() { return model_; }
  [[nodiscard]] VoucherGrid* grid() const { return grid_; }
  // A button by its caption ("保存", "找平", …); nullptr for none.
  [[nodiscard]] QPushButton* button(const QString& caption) const;

  // Closes only when the model lets the voucher on display go.
  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildHeader(QWidget& body);
  void buildButtons(QWidget& body);
  QPushButton* addButton(const char* caption, const char* name);
  // Hands the header fields still being edited to the model; false when it refused one.
  bool commitHeader();
  // Runs a model event, then shows the outcome.
  template <class Event>
  void act(Event event);
  void save();
  // Shows what the model holds now.
  void refresh();

  HostServices& host_;
  VoucherEntryModel model_;
  base::FinanceBootFormWidget* body_ = nullptr;
  QComboBox* typeBox_ = nullptr;
  QLabel* codeLabel_ = nullptr;
  QLineEdit* credNoEdit_ = nullptr;
  QDateEdit* dateEdit_ = nullptr;
  QSpinBox* billNumberBox_ = nullptr;
  QLabel* stateLabel_ = nullptr;
  VoucherGrid* grid_ = nullptr;
  QLabel* subjectLabel_ = nullptr;
  QLabel* makerLabel_ = nullptr;
  QLabel* checkerLabel_ = nullptr;
  QLabel* posterLabel_ = nullptr;
  QLabel* savedLabel_ = nullptr;  // "已保存 记-12" after a save
  std::string savedCredId_;       // the voucher that note speaks of
  std::vector<QPushButton*> buttons_;
  bool committing_ = false;
};

}  // namespace qj::vouchers
