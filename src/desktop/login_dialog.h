// The first window: choose a book (recent, a file, a new one or one on a
// database server), then log in to it as a user.
#pragma once

#include <QDialog>

#include "desktop/login_model.h"
#include "desktop/recent_books.h"

class QLineEdit;
class QListWidget;
class QSettings;

namespace qj::host {
class MessageBoxes;
}

namespace qj::desktop {

class LoginDialog : public QDialog {
  Q_OBJECT

 public:
  // `settings` keeps the recent books; `preselected`, when not empty, is the
  // book offered first.
  LoginDialog(host::MessageBoxes& boxes, QSettings& settings, const QString& preselected = {},
              QWidget* parent = nullptr);

  // The open book and its user, once the dialog was accepted.
  Login takeLogin() { return std::move(login_); }

 private:
  void logIn();
  void openFile();
  void createBook();
  void connectServer();
  void choose(const QString& location);
  void remember(const std::string& location, const std::string& company);

  host::MessageBoxes& boxes_;
  QSettings& settings_;
  LoginModel model_;
  RecentBooks recent_;
  Login login_;
  QListWidget* recentList_;
  QLineEdit* location_;
  QLineEdit* user_;
  QLineEdit* password_;
};

}  // namespace qj::desktop
