// Users of a book, their passwords and their privileges.
#pragma once

#include <compare>
#include <string>
#include <vector>

#include "data/connection.h"

namespace qj::host {

// The user every new book starts with; holds every privilege.
inline constexpr const char* kAdministrator = "admin";

struct UserInfo {
  std::string name;
  bool administrator = false;
  bool hasPassword = false;
};

struct Privilege {
  int function = 0;
  int action = 0;
  friend auto operator<=>(const Privilege&, const Privilege&) = default;
};

class UserStore {
 public:
  explicit UserStore(data::Connection& db) : db_(db) {}

  // Throws HostError for a bad or taken name.
  void add(const std::string& name, const std::string& password, bool administrator = false);
  // An empty password clears it.
  void setPassword(const std::string& name, const std::string& password);
  // Deletes the user and the user's privileges in one transaction. Throws
  // HostError for an unknown user and for the book's last administrator.
  void remove(const std::string& name);
  [[nodiscard]] bool exists(const std::string& name) const;
  [[nodiscard]] bool isAdministrator(const std::string& name) const;
  [[nodiscard]] bool hasPassword(const std::string& name) const;
  // A user without a password accepts only the empty password.
  [[nodiscard]] bool verify(const std::string& name, const std::string& password) const;

  void grant(const std::string& name, int function, int action);
  void revoke(const std::string& name, int function, int action);
  // Administrators hold every privilege.
  [[nodiscard]] bool hasPrivilege(const std::string& name, int function, int action) const;

  // Every user, ordered by name.
  [[nodiscard]] std::vector<UserInfo> list() const;
  // The privileges granted to the user one by one, ordered; administrators
  // hold every privilege whether it is listed or not.
  [[nodiscard]] std::vector<Privilege> privileges(const std::string& name) const;

 private:
  void requireUser(const std::string& name) const;
  data::Connection& db_;
};

}  // namespace qj::host
