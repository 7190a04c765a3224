#include "desktop/cash_flow_item_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qj::cashflow {

ItemDialog::ItemDialog(const ItemDraft& draft, bool codeFixed, Store store, QWidget* parent)
    : QDialog(parent),
      store_(std::move(store)),
      code_(new QLineEdit(QString::fromStdString(draft.code))),
      name_(new QLineEdit(QString::fromStdString(draft.name))),
      direction_(new QComboBox) {
  setWindowTitle(codeFixed ? QStringLiteral("修改项目") : QStringLiteral("新增项目"));
  code_->setObjectName(QStringLiteral("codeEdit"));
  code_->setMaxLength(12);
  code_->setReadOnly(codeFixed);
  name_->setObjectName(QStringLiteral("nameEdit"));
  direction_->setObjectName(QStringLiteral("directionBox"));
  direction_->addItems({QStringLiteral("流入"), QStringLiteral("流出")});
  direction_->setCurrentIndex(draft.inflow ? 0 : 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("okButton"));
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ItemDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ItemDialog::reject);

  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("编码"), code_);
  form->addRow(QStringLiteral("名称"), name_);
  form->addRow(QStringLiteral("方向"), direction_);
  form->addRow(buttons);
  (codeFixed ? name_ : code_)->setFocus();
}

void ItemDialog::accept() {
  const ItemDraft draft{code_->text().trimmed().toStdString(), name_->text().toStdString(),
                        direction_->currentIndex() == 0};
  if (store_(draft)) QDialog::accept();
}

}  // namespace qj::cashflow
