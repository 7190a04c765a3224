#include "desktop/first_password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/login_model.h"
#include "host/message_boxes.h"
#include "hostapi/host_services.h"

namespace qj::desktop {

FirstPasswordDialog::FirstPasswordDialog(LoginModel& model, host::MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), model_(model), boxes_(boxes), password_(new QLineEdit), repeated_(new QLineEdit) {
  setWindowTitle(QStringLiteral("设置系统管理员密码"));
  password_->setObjectName(QStringLiteral("password"));
  repeated_->setObjectName(QStringLiteral("repeated"));
  for (QLineEdit* edit : {password_, repeated_}) edit->setEchoMode(QLineEdit::Password);

  auto* explanation =
      new QLabel(QStringLiteral("这是新帐套第一次启动，系统管理员还没有密码。\n请先设置密码，以后登录时使用。"));
  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("新密码："), password_);
  fields->addRow(QStringLiteral("再输一次："), repeated_);
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &FirstPasswordDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &FirstPasswordDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addLayout(fields);
  layout->addWidget(buttons);
}

void FirstPasswordDialog::accept() {
  if (model_.setFirstPassword(password_->text().toStdString(), repeated_->text().toStdString()) != LoginStep::Done) {
    boxes_.show(model_.message(), "提示", msgbox::IconWarning);
    repeated_->clear();
    password_->setFocus();
    password_->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace qj::desktop
