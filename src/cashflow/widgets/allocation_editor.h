// The allocation editor ("现金流量分配") on Qt: a grid of the detail cash-flow
// items with their inflow and outflow, the totals, 确定 and 关闭.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "cashflow/allocation_editor_model.h"
#include "data/money.h"
#include "hostapi/host_services.h"

class QLabel;
class QTableWidget;

namespace qj::cashflow {

class AllocationEditor : public QDialog {
  Q_OBJECT

 public:
  AllocationEditor(std::unique_ptr<AllocationEditorModel> model, QWidget* parent);
  ~AllocationEditor() override;

  [[nodiscard]] AllocationEditorModel& model() { return *model_; }
  [[nodiscard]] QTableWidget* grid() { return grid_; }
  [[nodiscard]] QLabel* totalsLabel() { return totals_; }

  // However it closes (确定, 关闭, Escape, the close box) a typed amount is
  // stored first and the balance question may keep it open.
  void done(int result) override;

 private:
  void showRows();
  void showRow(int row);
  void showTotals();
  void edited(int row, int column);

  std::unique_ptr<AllocationEditorModel> model_;
  QTableWidget* grid_;
  QLabel* totals_;
};

// Shows the allocation editor modally for one voucher.
void ShowAllocationEditor(QWidget* parent, HostServices& host, const std::string& credId, Money cashAmount);

}  // namespace qj::cashflow
