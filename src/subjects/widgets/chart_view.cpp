#include "subjects/widgets/chart_view.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "subjects/subject_classes.h"

namespace qj::subjects {
namespace {

constexpr int kCodeRole = Qt::UserRole;

QString codeOf(const QTreeWidgetItem* item) { return item ? item->data(0, kCodeRole).toString() : QString(); }

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this)), tree_(new QTreeWidget(this)) {
  for (int k = kFirstClass; k <= kLastClass; ++k) tabs_->addTab(QString::fromStdString(ClassName(k)));
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({QStringLiteral("科目"), QStringLiteral("助记码")});
  tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  tree_->header()->setStretchLastSection(false);
  tree_->setUniformRowHeights(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tabs_);
  layout->addWidget(tree_);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { emit classChosen(index + kFirstClass); });
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { emit subjectSelected(codeOf(item)); });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { emit subjectActivated(codeOf(item)); });
}

void ChartView::showTree(int classDigit, const SubjectTree& tree, const std::string& selected) {
  const QSignalBlocker quietTabs(tabs_);
  const QSignalBlocker quietTree(tree_);
  tabs_->setCurrentIndex(classDigit - kFirstClass);
  tree_->clear();
  std::vector<QTreeWidgetItem*> items(tree.nodes().size());
  QTreeWidgetItem* current = nullptr;
  for (std::size_t i = 0; i < tree.nodes().size(); ++i) {
    const TreeNode& node = tree.nodes()[i];
    const QStringList texts{QString::fromStdString(node.label()), QString::fromStdString(node.helpCode)};
    auto* item = node.parent < 0 ? new QTreeWidgetItem(tree_, texts)
                                 : new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent)], texts);
    item->setData(0, kCodeRole, QString::fromStdString(node.code));
    items[i] = item;
    if (node.code == selected) current = item;
  }
  tree_->expandAll();
  tree_->setCurrentItem(current);
  if (current) tree_->scrollToItem(current);
}

}  // namespace qj::subjects
