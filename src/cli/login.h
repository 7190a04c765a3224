// Opening a book as a user, for the subcommands that work inside one.
#pragma once

#include <memory>
#include <string>

#include "host/book_session.h"

namespace qj::cli {

// A wrong user or password; main exits with kExitLogin.
class LoginError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Login {
  std::unique_ptr<host::BookSession> session;
  std::string user;
};

// Opens the book and checks the user (default: the administrator) against the
// password in QINGJIAN_PASSWORD (none when unset).
Login LogIn(const std::string& location, const std::string& user);

}  // namespace qj::cli
