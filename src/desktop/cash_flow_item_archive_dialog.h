// The cash-flow item archive ("现金流量项目") on Qt: the items as a tree with
// 新增, 修改, 删除 and 关闭. It shows an ItemArchiveModel; the item dialogs
// open without blocking the window system.
#pragma once

#include <QDialog>
#include <QPointer>
#include <string>

#include "cashflow/item_archive_model.h"
#include "desktop/cash_flow_item_dialog.h"

class QTreeWidget;

namespace qj::cashflow {

class ItemArchiveDialog final : public QDialog {
 public:
  ItemArchiveDialog(HostServices& host, QWidget* parent);

  [[nodiscard]] ItemArchiveModel& model() { return model_; }
  [[nodiscard]] QTreeWidget* tree() { return tree_; }
  // The open item dialog, if any.
  [[nodiscard]] ItemDialog* itemDialog() { return itemDialog_; }

 private:
  void showItems(const std::string& current);
  [[nodiscard]] std::string chosenCode() const;
  void openItemDialog(const ItemDraft& draft, bool modifying);

  ItemArchiveModel model_;
  QTreeWidget* tree_;
  QPointer<ItemDialog> itemDialog_;
};

// Shows the archive modally over `parent` (the host's screen OvoFluxionArchives_Frm).
void ShowItemArchive(QWidget* parent, HostServices& host);

}  // namespace qj::cashflow
