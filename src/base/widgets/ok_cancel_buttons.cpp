#include "base/widgets/ok_cancel_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace qj::base {

QDialogButtonBox* OkCancelButtons(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("okButton"));
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("cancelButton"));
  // accept() and reject() are virtual: a dialog that checks before it closes overrides them.
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace qj::base
