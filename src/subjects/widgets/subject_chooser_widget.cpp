#include "subjects/widgets/subject_chooser_widget.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "subjects/widgets/chart_view.h"

namespace qj::subjects {

SubjectChooserWidget::SubjectChooserWidget(HostServices& host, QWidget* parent)
    : FinanceBootFormWidget(host, SubjectChooserModel::kScreenName, SubjectChooserModel::kCaption, parent),
      model_(host),
      search_(new QLineEdit(this)),
      found_(new QLabel(this)),
      chart_(new ChartView(this)),
      ok_(new QPushButton(QStringLiteral("确定"), this)),
      cancel_(new QPushButton(QStringLiteral("取消"), this)) {
  search_->setPlaceholderText(QStringLiteral("输入科目编码、助记码或名称查找，F3 查找下一个"));
  search_->setClearButtonEnabled(true);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(new QLabel(QStringLiteral("查找："), this));
  searchRow->addWidget(search_, 1);
  searchRow->addWidget(found_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(searchRow);
  layout->addWidget(chart_, 1);
  layout->addLayout(buttons);

  connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_.setSearch(text.toStdString());
    refresh();
  });
  connect(chart_, &ChartView::classChosen, this, [this](int classDigit) {
    model_.showClass(classDigit);
    refresh();
  });
  connect(chart_, &ChartView::subjectSelected, this,
          [this](const QString& code) { model_.select(code.toStdString()); });
  connect(chart_, &ChartView::subjectActivated, this, &SubjectChooserWidget::confirm);
  connect(ok_, &QPushButton::clicked, this, &SubjectChooserWidget::confirm);
  connect(cancel_, &QPushButton::clicked, this, &SubjectChooserWidget::cancel);
  search_->installEventFilter(this);
  chart_->tree()->installEventFilter(this);
  refresh();
}

bool SubjectChooserWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || (watched != search_ && watched != chart_->tree()))
    return FinanceBootFormWidget::eventFilter(watched, event);
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      confirm();
      return true;
    case Qt::Key_Escape:
      cancel();
      return true;
    case Qt::Key_F3:
      model_.keyPressed(SubjectChooserModel::Key::F3);
      refresh();
      return true;
    default:
      return false;
  }
}

void SubjectChooserWidget::refresh() {
  chart_->showTree(model_.shownClass(), model_.tree(), model_.selected());
  found_->setText(model_.search().empty() ? QString() : QStringLiteral("找到 %1 个科目").arg(model_.matches().size()));
}

void SubjectChooserWidget::confirm() {
  if (model_.confirm()) emit chosen();
}

void SubjectChooserWidget::cancel() {
  model_.cancel();
  emit cancelled();
}

}  // namespace qj::subjects
