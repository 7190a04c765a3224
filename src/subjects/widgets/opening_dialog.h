// The opening-balance screen "会计科目初始": shows the OpeningModel and hands
// the user's actions to it.
#pragma once

#include <QDialog>

#include "hostapi/host_services.h"
#include "subjects/opening_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace qj::subjects {

class OpeningTableModel;

class OpeningDialog final : public QDialog {
  Q_OBJECT

 public:
  // The name the host knows the screen by.
  static constexpr const char* kScreenName = "SubjectInitList_Frm";
  // The print templates of the list (PrintStyle.REPORTTYPE).
  static constexpr int kReportType = 730;

  explicit OpeningDialog(HostServices& host, QWidget* parent = nullptr);
  ~OpeningDialog() override;

  // Prepares the book's opening rows and shows the first currency; false
  // when that failed (the user has been told) and the screen must not open.
  bool prepare();

  // Closes only when the model lets it ("关闭", the window's close button, Esc).
  void done(int result) override;

 private:
  void buildControls(QWidget& body);
  void chooseCurrency(int index);
  void finishTyping();
  void exportList();
  void printList();
  // Shows what the model now holds.
  void refresh();

  HostServices& host_;
  OpeningModel model_;
  OpeningTableModel* table_ = nullptr;
  QLabel* currencyLabel_ = nullptr;
  QComboBox* currencyBox_ = nullptr;
  QLabel* rateLabel_ = nullptr;
  QCheckBox* levelOneBox_ = nullptr;
  QTableView* view_ = nullptr;
  QLabel* noticeLabel_ = nullptr;
  QPushButton* sheetButton_ = nullptr;
  QPushButton* discardButton_ = nullptr;
};

}  // namespace qj::subjects
