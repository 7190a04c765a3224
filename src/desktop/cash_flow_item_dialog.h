// The dialog of one cash-flow item ("新增项目" / "修改项目"): code, name and
// direction. 确定 hands the values to the archive and closes only when it
// took them; a refused item stays in the dialog for correction.
#pragma once

#include <QDialog>
#include <functional>

#include "cashflow/item_archive_model.h"

class QComboBox;
class QLineEdit;

namespace qj::cashflow {

class ItemDialog final : public QDialog {
 public:
  using Store = std::function<bool(const ItemDraft&)>;

  // With `codeFixed` the code is shown but cannot be changed (modifying).
  ItemDialog(const ItemDraft& draft, bool codeFixed, Store store, QWidget* parent);

  [[nodiscard]] QLineEdit* codeEdit() { return code_; }
  [[nodiscard]] QLineEdit* nameEdit() { return name_; }
  [[nodiscard]] QComboBox* directionBox() { return direction_; }

  void accept() override;

 private:
  Store store_;
  QLineEdit* code_;
  QLineEdit* name_;
  QComboBox* direction_;
};

}  // namespace qj::cashflow
