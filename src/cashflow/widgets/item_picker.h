// The cash-flow item picker on Qt: every item as a tree; 确定 or a double
// click chooses the selected one.
#pragma once

#include <QDialog>
#include <optional>

#include "cashflow/item_tree.h"
#include "hostapi/host_services.h"

class QTreeWidget;

namespace qj::cashflow {

class ItemPicker : public QDialog {
  Q_OBJECT

 public:
  ItemPicker(HostServices& host, QWidget* parent);

  [[nodiscard]] ItemPickerModel& model() { return model_; }
  [[nodiscard]] QTreeWidget* tree() { return tree_; }

 private:
  ItemPickerModel model_;
  QTreeWidget* tree_;
};

}  // namespace qj::cashflow
