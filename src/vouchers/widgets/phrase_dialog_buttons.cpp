#include "vouchers/widgets/phrase_dialog_buttons.h"

#include <QPushButton>

namespace qj::vouchers {

QHBoxLayout* AddEditButtons(QDialog* dialog, const std::function<void()>& addNext,
                            const std::function<void()>& confirm) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* add = new QPushButton(QStringLiteral("增加"), dialog);
  auto* ok = new QPushButton(QStringLiteral("确定"), dialog);
  auto* cancel = new QPushButton(QStringLiteral("取消"), dialog);
  add->setAutoDefault(false);
  cancel->setAutoDefault(false);
  ok->setDefault(true);
  for (QPushButton* button : {add, ok, cancel}) row->addWidget(button);
  QObject::connect(add, &QPushButton::clicked, dialog, addNext);
  QObject::connect(ok, &QPushButton::clicked, dialog, confirm);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return row;
}

}  // namespace qj::vouchers
