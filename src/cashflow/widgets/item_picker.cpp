#include "cashflow/widgets/item_picker.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

namespace qj::cashflow {
namespace {

constexpr int kNodeRole = Qt::UserRole;

}  // namespace

ItemPicker::ItemPicker(HostServices& host, QWidget* parent)
    : QDialog(parent), model_(host), tree_(new QTreeWidget(this)) {
  setWindowTitle(QStringLiteral("现金流量项目"));
  tree_->setHeaderHidden(true);
  // The codes are padded to one width: a fixed-pitch font lines the names up.
  tree_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  const auto& nodes = model_.nodes();
  std::vector<QTreeWidgetItem*> items;
  items.reserve(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    auto* item = nodes[i].parent ? new QTreeWidgetItem(items[*nodes[i].parent]) : new QTreeWidgetItem(tree_);
    item->setText(0, QString::fromStdString(nodes[i].text));
    item->setData(0, kNodeRole, static_cast<qulonglong>(i));
    items.push_back(item);
  }
  tree_->expandAll();
  if (const auto selected = model_.selected()) tree_->setCurrentItem(items[*selected]);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_, 1);
  layout->addWidget(buttons);
  resize(460, 480);

  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    model_.select(current ? std::optional(current->data(0, kNodeRole).toULongLong()) : std::nullopt);
  });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace qj::cashflow
