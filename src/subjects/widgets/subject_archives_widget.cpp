#include "subjects/widgets/subject_archives_widget.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "subjects/subject_classes.h"
#include "subjects/widgets/chart_view.h"
#include "subjects/widgets/subject_dialog.h"
#include "subjects/widgets/subject_print_window.h"

namespace qj::subjects {
namespace {

// The keys of the tree the model answers: Insert, Delete and Enter.
std::optional<SubjectArchivesModel::Key> modelKey(int key) {
  switch (key) {
    case Qt::Key_Insert:
      return SubjectArchivesModel::Key::Insert;
    case Qt::Key_Delete:
      return SubjectArchivesModel::Key::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return SubjectArchivesModel::Key::Enter;
    default:
      return std::nullopt;
  }
}

}  // namespace

SubjectArchivesWidget::SubjectArchivesWidget(HostServices& host, QWidget* parent)
    : FinanceBootFormWidget(host, SubjectArchivesModel::kScreenName, SubjectArchivesModel::kCaption, parent),
      host_(host),
      model_(host),
      chart_(new ChartView(this)),
      buttons_(new QVBoxLayout) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(chart_, 1);
  layout->addLayout(buttons_);
  addButton(QStringLiteral("新增同级"), &SubjectArchivesWidget::addSibling);
  addButton(QStringLiteral("新增下级"), &SubjectArchivesWidget::addChild);
  addButton(QStringLiteral("修改"), &SubjectArchivesWidget::modify);
  addButton(QStringLiteral("删除"), &SubjectArchivesWidget::remove);
  addButton(QStringLiteral("打印"), &SubjectArchivesWidget::openPrintList);
  buttons_->addStretch();
  auto* close = new QPushButton(QStringLiteral("退出"), this);
  buttons_->addWidget(close);
  connect(close, &QPushButton::clicked, this, [this] { window()->close(); });

  connect(chart_, &ChartView::classChosen, this, [this](int classDigit) {
    model_.showClass(classDigit);
    refresh();
  });
  connect(chart_, &ChartView::subjectSelected, this,
          [this](const QString& code) { model_.select(code.toStdString()); });
  connect(chart_, &ChartView::subjectActivated, this, &SubjectArchivesWidget::modify);
  chart_->tree()->installEventFilter(this);
  refresh();
}

void SubjectArchivesWidget::addButton(const QString& text, void (SubjectArchivesWidget::*slot)()) {
  auto* button = new QPushButton(text, this);
  button->setAutoDefault(false);
  buttons_->addWidget(button);
  connect(button, &QPushButton::clicked, this, slot);
}

bool SubjectArchivesWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != chart_->tree() || event->type() != QEvent::KeyPress)
    return FinanceBootFormWidget::eventFilter(watched, event);
  const auto key = modelKey(static_cast<QKeyEvent*>(event)->key());
  if (!key) return false;
  act([key](SubjectArchivesModel& model) { model.keyPressed(*key); });
  return true;
}

void SubjectArchivesWidget::refresh() { chart_->showTree(model_.shownClass(), model_.tree(), model_.selected()); }

void SubjectArchivesWidget::act(const std::function<void(SubjectArchivesModel&)>& operation) {
  operation(model_);
  refresh();
  if (model_.dialog() && !subjectDialog_) openSubjectDialog();
}

void SubjectArchivesWidget::openSubjectDialog() {
  subjectDialog_ = new SubjectDialog(*model_.dialog(), this);
  subjectDialog_->setAttribute(Qt::WA_DeleteOnClose);
  connect(subjectDialog_, &SubjectDialog::confirmRequested, this, &SubjectArchivesWidget::confirmSubjectDialog);
  // Cancelling (button, Escape, the window's close box) closes the model's dialog too.
  connect(subjectDialog_, &QDialog::rejected, this, [this] { model_.cancelDialog(); });
  subjectDialog_->open();
}

void SubjectArchivesWidget::confirmSubjectDialog() {
  model_.confirmDialog();
  if (model_.dialog()) return;  // refused: the message went to the host, the dialog stays
  subjectDialog_->accept();
  refresh();
}

std::string SubjectArchivesWidget::listTitle() const {
  return std::string(SubjectArchivesModel::kCaption) + "（" + ClassName(model_.shownClass()) + "类）";
}

void SubjectArchivesWidget::openPrintList() {
  if (const auto list = model_.printList()) printList_ = OpenSubjectPrintWindow(host_, *list, listTitle(), this);
}

}  // namespace qj::subjects
