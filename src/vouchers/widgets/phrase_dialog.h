// The phrase dialog ("摘要-编辑") on screen: type, text and help code, and the
// buttons 增加, 确定 and 取消 over the dialog model.
#pragma once

#include <QDialog>

#include "vouchers/phrase_dialog_model.h"

class QComboBox;
class QLineEdit;

namespace qj::vouchers {

class PhraseDialog : public QDialog {
  Q_OBJECT

 public:
  PhraseDialog(PhraseDialogModel& model, QWidget* parent);

  [[nodiscard]] QComboBox* typeBox() { return type_; }
  [[nodiscard]] QLineEdit* nameEdit() { return name_; }
  [[nodiscard]] QLineEdit* helpCodeEdit() { return helpCode_; }

 private:
  void showDraft();
  void confirm();
  void addNext();

  PhraseDialogModel& model_;
  QComboBox* type_;
  QLineEdit* name_;
  QLineEdit* helpCode_;
};

}  // namespace qj::vouchers
