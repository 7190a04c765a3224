// The add and modify dialog of a subject: shows the dialog model's fields and
// hands every edit to it. Its OK only asks; whoever opened it confirms.
#pragma once

#include <QDialog>

#include "subjects/subject_dialog_model.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qj::subjects {

class SubjectDialog : public QDialog {
  Q_OBJECT

 public:
  SubjectDialog(SubjectDialogModel& model, QWidget* parent);

  [[nodiscard]] QLineEdit* segmentEdit() { return segment_; }
  [[nodiscard]] QLineEdit* nameEdit() { return name_; }
  [[nodiscard]] QComboBox* counterpartyBox() { return counterparty_; }
  [[nodiscard]] QButtonGroup* directionGroup() { return direction_; }

 signals:
  void confirmRequested();

 private:
  void showCurrency();

  SubjectDialogModel& model_;
  QLineEdit* segment_;
  QLineEdit* name_;
  QComboBox* counterparty_ = nullptr;
  QLineEdit* helpCode_;
  QButtonGroup* direction_;
  QComboBox* foreign_;
  QComboBox* currency_;
  QCheckBox* cashFlow_;
};

}  // namespace qj::subjects
