// The chart-of-accounts maintenance screen ("frmSubject1"): renders the
// maintenance model and hands it the buttons, keys and dialog edits.
#pragma once

#include <QPointer>
#include <functional>

#include "base/widgets/finance_boot_form_widget.h"
#include "base/widgets/list_window.h"
#include "subjects/subject_archives_model.h"
#include "subjects/widgets/subject_dialog.h"

class QVBoxLayout;

namespace qj::subjects {

class ChartView;

class SubjectArchivesWidget : public base::FinanceBootFormWidget {
  Q_OBJECT

 public:
  explicit SubjectArchivesWidget(HostServices& host, QWidget* parent = nullptr);

  [[nodiscard]] SubjectArchivesModel& model() { return model_; }
  [[nodiscard]] ChartView* chart() { return chart_; }
  // The open add or modify dialog, and the open print list.
  [[nodiscard]] SubjectDialog* subjectDialog() { return subjectDialog_; }
  [[nodiscard]] base::ListWindow* printList() { return printList_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addButton(const QString& text, void (SubjectArchivesWidget::*slot)());
  void refresh();
  // Runs a model operation, then shows what it left: the tree and any dialog it opened.
  void act(const std::function<void(SubjectArchivesModel&)>& operation);
  void addSibling() { act(&SubjectArchivesModel::addSibling); }
  void addChild() { act(&SubjectArchivesModel::addChild); }
  void modify() { act(&SubjectArchivesModel::modify); }
  void remove() { act(&SubjectArchivesModel::remove); }
  void openSubjectDialog();
  void confirmSubjectDialog();
  void openPrintList();
  [[nodiscard]] std::string listTitle() const;

  HostServices& host_;
  SubjectArchivesModel model_;
  ChartView* chart_;
  QVBoxLayout* buttons_;
  QPointer<SubjectDialog> subjectDialog_;
  QPointer<base::ListWindow> printList_;
};

}  // namespace qj::subjects
