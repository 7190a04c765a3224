#include "desktop/user_admin_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

#include "data/db_error.h"
#include "desktop/host_screens.h"
#include "host/host_application.h"
#include "host/privileged_functions.h"

namespace qj::desktop {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

struct Entered {
  std::string name;
  std::string password;
  std::string repeated;
  bool administrator = false;
};

// Asks for a password twice and, for a new user, the name and whether the user
// is an administrator. `take` runs the model's event; while it refuses, the
// question stays open and `tell` shows why.
void Ask(QWidget* parent, const QString& title, bool newUser, const std::function<bool(const Entered&)>& take,
         const std::function<void()>& tell) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* form = new QFormLayout(&dialog);
  auto* name = newUser ? new QLineEdit(&dialog) : nullptr;
  auto* password = new QLineEdit(&dialog);
  auto* repeated = new QLineEdit(&dialog);
  auto* administrator = newUser ? new QCheckBox(QStringLiteral("系统管理员（拥有全部权限）"), &dialog) : nullptr;
  password->setEchoMode(QLineEdit::Password);
  repeated->setEchoMode(QLineEdit::Password);
  if (name) {
    name->setMaxLength(10);
    form->addRow(QStringLiteral("用户名："), name);
  }
  form->addRow(QStringLiteral("密码："), password);
  form->addRow(QStringLiteral("确认密码："), repeated);
  if (administrator) form->addRow(administrator);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  form->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    const Entered entered{name ? name->text().trimmed().toStdString() : std::string(), password->text().toStdString(),
                          repeated->text().toStdString(), administrator && administrator->isChecked()};
    if (take(entered))
      dialog.accept();
    else
      tell();
  });
  dialog.exec();
}

}  // namespace

UserAdminDialog::UserAdminDialog(host::UserAdminModel& model, HostServices& host, QWidget* parent)
    : QDialog(parent), model_(model), host_(host) {
  setWindowTitle(QStringLiteral("用户与权限"));
  auto* layout = new QVBoxLayout(this);
  auto* boxes = new QHBoxLayout();
  boxes->addWidget(usersBox(), 1);
  boxes->addWidget(privilegesBox(), 3);
  layout->addLayout(boxes);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  close->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(close);
  renderUsers();
  resize(1100, 600);
}

QWidget* UserAdminDialog::usersBox() {
  auto* box = new QGroupBox(QStringLiteral("用户"), this);
  auto* layout = new QVBoxLayout(box);
  users_ = new QTableWidget(0, 3, box);
  users_->setObjectName(QStringLiteral("users"));
  users_->setHorizontalHeaderLabels({QStringLiteral("用户名"), QStringLiteral("身份"), QStringLiteral("密码")});
  users_->verticalHeader()->hide();
  users_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  users_->horizontalHeader()->setStretchLastSection(true);
  users_->setSelectionBehavior(QAbstractItemView::SelectRows);
  users_->setSelectionMode(QAbstractItemView::SingleSelection);
  users_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(users_, &QTableWidget::itemSelectionChanged, this, &UserAdminDialog::userChosen);
  layout->addWidget(users_);
  auto* add = new QPushButton(QStringLiteral("新增用户…"), box);
  reset_ = new QPushButton(QStringLiteral("重设密码…"), box);
  remove_ = new QPushButton(QStringLiteral("删除用户"), box);
  connect(add, &QPushButton::clicked, this, &UserAdminDialog::addUser);
  connect(reset_, &QPushButton::clicked, this, &UserAdminDialog::resetPassword);
  connect(remove_, &QPushButton::clicked, this, &UserAdminDialog::removeUser);
  for (QPushButton* button : {add, reset_, remove_}) {
    button->setAutoDefault(false);
    layout->addWidget(button);
  }
  return box;
}

QWidget* UserAdminDialog::privilegesBox() {
  auto* box = new QGroupBox(QStringLiteral("权限"), this);
  auto* layout = new QVBoxLayout(box);
  privilegesTitle_ = new QLabel(box);
  layout->addWidget(privilegesTitle_);
  const auto& functions = host::PrivilegedFunctions();
  const auto& actions = host::PrivilegeActions();
  privileges_ = new QTableWidget(static_cast<int>(functions.size()), static_cast<int>(actions.size()), box);
  privileges_->setObjectName(QStringLiteral("privileges"));
  privileges_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  privileges_->setSelectionMode(QAbstractItemView::NoSelection);
  for (int column = 0; column < static_cast<int>(actions.size()); ++column)
    privileges_->setHorizontalHeaderItem(column,
                                         new QTableWidgetItem(Q(actions[static_cast<std::size_t>(column)].title)));
  for (int row = 0; row < static_cast<int>(functions.size()); ++row) {
    const host::PrivilegedFunction& function = functions[static_cast<std::size_t>(row)];
    auto* heading = new QTableWidgetItem(Q(function.title));
    heading->setToolTip(QStringLiteral("功能号 %1").arg(function.number));
    privileges_->setVerticalHeaderItem(row, heading);
    for (int column = 0; column < privileges_->columnCount(); ++column) {
      auto* tick = new QTableWidgetItem();
      tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
      privileges_->setItem(row, column, tick);
    }
  }
  privileges_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  connect(privileges_, &QTableWidget::itemChanged, this, &UserAdminDialog::privilegeTicked);
  layout->addWidget(privileges_);
  return box;
}

void UserAdminDialog::renderUsers() {
  {
    const QSignalBlocker block(users_);
    const auto& users = model_.users();
    users_->setRowCount(static_cast<int>(users.size()));
    for (int row = 0; row < static_cast<int>(users.size()); ++row) {
      const host::UserInfo& user = users[static_cast<std::size_t>(row)];
      const QString cells[] = {Q(user.name),
                               user.administrator ? QStringLiteral("系统管理员") : QStringLiteral("普通用户"),
                               user.hasPassword ? QStringLiteral("已设置") : QStringLiteral("未设置")};
      for (int column = 0; column < 3; ++column) users_->setItem(row, column, new QTableWidgetItem(cells[column]));
      if (user.name == model_.selected()) users_->selectRow(row);
    }
  }
  renderPrivileges();
}

void UserAdminDialog::renderPrivileges() {
  const QSignalBlocker block(privileges_);
  const host::UserInfo* user = model_.selectedUser();
  reset_->setEnabled(user != nullptr);
  remove_->setEnabled(user != nullptr);
  if (!user)
    privilegesTitle_->setText(QStringLiteral("请在左边选择一个用户。"));
  else if (user->administrator)
    privilegesTitle_->setText(Q("“" + user->name + "”是系统管理员，拥有全部权限。"));
  else
    privilegesTitle_->setText(Q("“" + user->name + "”的权限：勾选即授权，取消勾选即收回。"));
  const auto& functions = host::PrivilegedFunctions();
  const auto& actions = host::PrivilegeActions();
  for (int row = 0; row < privileges_->rowCount(); ++row) {
    for (int column = 0; column < privileges_->columnCount(); ++column) {
      QTableWidgetItem* tick = privileges_->item(row, column);
      const bool granted = model_.isGranted(functions[static_cast<std::size_t>(row)].number,
                                            actions[static_cast<std::size_t>(column)].number);
      tick->setCheckState(granted ? Qt::Checked : Qt::Unchecked);
      const bool changeable = user && !user->administrator;
      tick->setFlags(changeable ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::ItemIsUserCheckable);
    }
  }
}

void UserAdminDialog::userChosen() {
  const int row = users_->currentRow();
  if (row < 0 || !users_->item(row, 0)) return;
  if (!model_.select(users_->item(row, 0)->text().toStdString())) tell(model_.message());
  renderPrivileges();
}

void UserAdminDialog::privilegeTicked(QTableWidgetItem* item) {
  const int function = host::PrivilegedFunctions()[static_cast<std::size_t>(item->row())].number;
  const int action = host::PrivilegeActions()[static_cast<std::size_t>(item->column())].number;
  if (!model_.setGranted(function, action, item->checkState() == Qt::Checked)) tell(model_.message());
  renderPrivileges();
}

void UserAdminDialog::addUser() {
  Ask(
      this, QStringLiteral("新增用户"), true,
      [this](const Entered& entered) {
        return model_.addUser(entered.name, entered.password, entered.repeated, entered.administrator);
      },
      [this] { tell(model_.message()); });
  renderUsers();
}

void UserAdminDialog::resetPassword() {
  Ask(
      this, Q("重设“" + model_.selected() + "”的密码"), false,
      [this](const Entered& entered) { return model_.resetPassword(entered.password, entered.repeated); },
      [this] { tell(model_.message()); });
  renderUsers();
}

void UserAdminDialog::removeUser() {
  if (host_.ShowMsgBox(model_.removalQuestion(), "询问", msgbox::AskYesNo) != msgbox::IdYes) return;
  if (!model_.removeSelected()) tell(model_.message());
  renderUsers();
}

void UserAdminDialog::tell(const std::string& message) { host_.ShowMsgBox(message, "提示", msgbox::IconWarning); }

void ShowUserAdministration(QWidget* parent, host::BookSession& session, host::HostApplication& host) {
  std::unique_ptr<host::UserAdminModel> model;
  try {
    model = std::make_unique<host::UserAdminModel>(session.db(), host.asUserName());
  } catch (const data::DbError& error) {
    host.EDBEngineErrorHandler(error);
    return;
  }
  if (!model->allowed()) {
    host.ShowMsgBox(model->message(), "提示", msgbox::IconWarning);
    return;
  }
  UserAdminDialog dialog(*model, host, parent);
  dialog.exec();
}

}  // namespace qj::desktop
