// The subject chooser ("SubjectInfo_Frm"): renders the chooser model, its
// search box and tree, and reports when the user chose or cancelled.
#pragma once

#include "base/widgets/finance_boot_form_widget.h"
#include "subjects/subject_chooser_model.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qj::subjects {

class ChartView;

class SubjectChooserWidget : public base::FinanceBootFormWidget {
  Q_OBJECT

 public:
  explicit SubjectChooserWidget(HostServices& host, QWidget* parent = nullptr);

  [[nodiscard]] SubjectChooserModel& model() { return model_; }
  [[nodiscard]] ChartView* chart() { return chart_; }
  [[nodiscard]] QLineEdit* searchEdit() { return search_; }
  [[nodiscard]] QPushButton* okButton() { return ok_; }

 signals:
  void chosen();  // the model holds the result
  void cancelled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refresh();
  void confirm();
  void cancel();

  SubjectChooserModel model_;
  QLineEdit* search_;
  QLabel* found_;
  ChartView* chart_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace qj::subjects
