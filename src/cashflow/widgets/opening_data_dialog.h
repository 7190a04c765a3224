// The opening cash-flow data screen ("现金流量初始数据") on Qt: the months on
// the left, the month's items in a grid, 确定 and 关闭. It shows an
// OpeningDataModel and hands the user's actions to it.
#pragma once

#include <QDialog>
#include <memory>

#include "base/screen_registry.h"
#include "cashflow/opening_data_model.h"

class QListWidget;
class QPushButton;
class QTableView;

namespace qj::cashflow {

class OpeningDataTable;

class OpeningDataDialog final : public QDialog {
 public:
  OpeningDataDialog(HostServices& host, QWidget* parent);
  ~OpeningDataDialog() override;

  // Loads the first month; false when it failed (reported) and the screen should not open.
  bool prepare();
  [[nodiscard]] OpeningDataModel& model() { return model_; }

  // 关闭, Escape and the close box: unsaved edits are asked about first.
  void reject() override;

 private:
  void refresh();

  OpeningDataModel model_;
  QListWidget* months_;
  OpeningDataTable* table_;
  QTableView* grid_;
  QPushButton* save_;
};

// The registry's maker of the screen, on the attached host.
std::unique_ptr<base::Screen> OpeningDataScreen(HostServices& host);

}  // namespace qj::cashflow
