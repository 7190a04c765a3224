// Logging in to a book: open it, check the user's password, and on the first
// start of a new book have the administrator choose a password.
#pragma once

#include <memory>
#include <string>

#include "host/book_session.h"

namespace qj::desktop {

enum class LoginStep {
  Refused,        // message() says why; nothing stays open
  NeedsPassword,  // the administrator has no password yet: setFirstPassword()
  Done,           // take() the open book
};

struct Login {
  std::unique_ptr<host::BookSession> session;
  std::string user;
};

class LoginModel {
 public:
  LoginStep logIn(const std::string& location, const std::string& user, const std::string& password);
  // After NeedsPassword: sets the administrator's password when both entries
  // agree; Refused (with a message) leaves the book open for another try.
  LoginStep setFirstPassword(const std::string& password, const std::string& repeated);
  // Gives up a log-in that still waits for a password.
  void cancel();

  [[nodiscard]] const std::string& message() const { return message_; }
  // After Done.
  Login take();

 private:
  LoginStep refuse(std::string message);

  std::unique_ptr<host::BookSession> session_;
  std::string user_;
  std::string message_;
  bool passwordSet_ = false;
};

}  // namespace qj::desktop
