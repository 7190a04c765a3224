// The phrase-type dialog ("摘要类别-编辑") on screen: the name field and the
// buttons 增加, 确定 and 取消 over the dialog model.
#pragma once

#include <QDialog>

#include "vouchers/phrase_type_dialog_model.h"

class QLineEdit;

namespace qj::vouchers {

class PhraseTypeDialog : public QDialog {
  Q_OBJECT

 public:
  PhraseTypeDialog(PhraseTypeDialogModel& model, QWidget* parent);

  [[nodiscard]] QLineEdit* nameEdit() { return name_; }

 private:
  void confirm();
  void addNext();

  PhraseTypeDialogModel& model_;
  QLineEdit* name_;
};

}  // namespace qj::vouchers
