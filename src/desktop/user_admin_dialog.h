// 用户与权限: shows a UserAdminModel, the users on the left and the selected
// user's privileges (functions by actions) on the right, and forwards every
// button and tick to it.
#pragma once

#include <QDialog>

#include "host/user_admin_model.h"
#include "hostapi/host_services.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace qj::desktop {

class UserAdminDialog : public QDialog {
  Q_OBJECT

 public:
  UserAdminDialog(host::UserAdminModel& model, HostServices& host, QWidget* parent = nullptr);

 private:
  QWidget* usersBox();
  QWidget* privilegesBox();
  void renderUsers();
  void renderPrivileges();
  void userChosen();
  void privilegeTicked(QTableWidgetItem* item);
  void addUser();
  void resetPassword();
  void removeUser();
  void tell(const std::string& message);

  host::UserAdminModel& model_;
  HostServices& host_;
  QTableWidget* users_ = nullptr;
  QPushButton* reset_ = nullptr;
  QPushButton* remove_ = nullptr;
  QLabel* privilegesTitle_ = nullptr;
  QTableWidget* privileges_ = nullptr;
};

}  // namespace qj::desktop
