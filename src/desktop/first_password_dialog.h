// Asks the administrator of a new book to choose a password before working in it.
#pragma once

#include <QDialog>

class QLineEdit;

namespace qj::host {
class MessageBoxes;
}

namespace qj::desktop {

class LoginModel;

class FirstPasswordDialog : public QDialog {
  Q_OBJECT

 public:
  FirstPasswordDialog(LoginModel& model, host::MessageBoxes& boxes, QWidget* parent = nullptr);

  void accept() override;

 private:
  LoginModel& model_;
  host::MessageBoxes& boxes_;
  QLineEdit* password_;
  QLineEdit* repeated_;
};

}  // namespace qj::desktop
