#include "desktop/cash_flow_item_archive_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

namespace qj::cashflow {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* addButton(QHBoxLayout& row, const QString& caption, const char* name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  row.addWidget(button);
  return button;
}

}  // namespace

ItemArchiveDialog::ItemArchiveDialog(HostServices& host, QWidget* parent)
    : QDialog(parent), model_(host), tree_(new QTreeWidget) {
  setWindowTitle(QString::fromUtf8(ItemArchiveModel::kCaption));
  setObjectName(QString::fromUtf8(kItemArchiveFormName));
  tree_->setObjectName(QStringLiteral("itemTree"));
  tree_->setHeaderLabels(
      {QStringLiteral("编码"), QStringLiteral("名称"), QStringLiteral("方向"), QStringLiteral("类别")});
  tree_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  tree_->setColumnWidth(0, 150);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  QPushButton* add = addButton(*buttons, QStringLiteral("新增"), "addButton");
  QPushButton* modify = addButton(*buttons, QStringLiteral("修改"), "modifyButton");
  QPushButton* remove = addButton(*buttons, QStringLiteral("删除"), "deleteButton");
  QPushButton* close = addButton(*buttons, QStringLiteral("关闭"), "closeButton");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_, 1);
  layout->addLayout(buttons);
  resize(620, 460);

  connect(add, &QPushButton::clicked, this, [this] {
    if (const auto draft = model_.beginAdd(chosenCode())) openItemDialog(*draft, false);
  });
  connect(modify, &QPushButton::clicked, this, [this] {
    if (const auto draft = model_.beginModify(chosenCode())) openItemDialog(*draft, true);
  });
  connect(tree_, &QTreeWidget::itemDoubleClicked, modify, &QPushButton::click);
  connect(remove, &QPushButton::clicked, this, [this] {
    const std::string code = chosenCode();
    model_.remove(code);
    showItems(code);
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  model_.reload();
  showItems({});
}

std::string ItemArchiveDialog::chosenCode() const {
  const QTreeWidgetItem* current = tree_->currentItem();
  return current ? current->text(0).toStdString() : std::string();
}

void ItemArchiveDialog::showItems(const std::string& current) {
  tree_->clear();
  const auto& items = model_.items();
  std::vector<QTreeWidgetItem*> nodes(items.size(), nullptr);
  QTreeWidgetItem* chosen = nullptr;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const QStringList texts = {q(items[i].code), q(items[i].name),
                               items[i].inflow ? QStringLiteral("流入") : QStringLiteral("流出"),
                               items[i].detail ? QStringLiteral("明细") : QStringLiteral("汇总")};
    const auto parent = model_.parentOf(i);
    nodes[i] = parent ? new QTreeWidgetItem(nodes[*parent], texts) : new QTreeWidgetItem(tree_, texts);
    if (items[i].code == current) chosen = nodes[i];
  }
  tree_->expandAll();
  if (!chosen && tree_->topLevelItemCount() > 0) chosen = tree_->topLevelItem(0);
  tree_->setCurrentItem(chosen);
}

void ItemArchiveDialog::openItemDialog(const ItemDraft& draft, bool modifying) {
  auto store = [this, modifying](const ItemDraft& typed) {
    const bool stored = modifying ? model_.modify(typed) : model_.add(typed);
    showItems(stored ? typed.code : chosenCode());
    return stored;
  };
  itemDialog_ = new ItemDialog(draft, modifying, store, this);
  itemDialog_->setAttribute(Qt::WA_DeleteOnClose);
  itemDialog_->open();
}

void ShowItemArchive(QWidget* parent, HostServices& host) {
  ItemArchiveDialog dialog(host, parent);
  dialog.exec();
}

}  // namespace qj::cashflow
