#include "vouchers/widgets/phrase_dialog_buttons.h"

#include <QPushButton>

namespace qj::vouchers {

QDialogButtonBox* AddEditButtons(QDialog* dialog, const std::function<void()>& addNext,
                                 const std::function<void()>& confirm) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* add = buttons->addButton(QStringLiteral("增加"), QDialogButtonBox::ActionRole);
  QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  QObject::connect(add, &QPushButton::clicked, dialog, addNext);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, confirm);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace qj::vouchers
