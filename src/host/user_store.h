// Users of a book, their passwords and their privileges.
#pragma once

#include <compare>
#include <optional>
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

  // Adds a user under the name with the spaces around it taken off. Throws
  // HostError for a bad name, a name taken (compared without regard to case),
  // and an administrator without a password.
  void add(const std::string& name, const std::string& password, bool administrator = false);
  // The new book's administrator ("admin"), without a password until the
  // first log-in sets one.
  void addFirstAdministrator();
  // The stored name of the user a typed name means: spaces around it and the
  // case of Latin letters do not count. Nothing for no such user.
  [[nodiscard]] std::optional<std::string> find(const std::string& typed) const;
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
