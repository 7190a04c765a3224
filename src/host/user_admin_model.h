// 用户与权限: the users of the book, their passwords and their privileges, as
// an administrator manages them. Every change is written at once.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "data/connection.h"
#include "host/user_store.h"

namespace qj::host {

class UserAdminModel {
 public:
  // Reads the users. `currentUser` is the logged-in user. Throws data::DbError.
  UserAdminModel(data::Connection& db, std::string currentUser);

  // Only administrators may use the screen; everyone else is refused every change.
  [[nodiscard]] bool allowed() const { return allowed_; }
  // Why the last event was refused.
  [[nodiscard]] const std::string& message() const { return message_; }

  [[nodiscard]] const std::vector<UserInfo>& users() const { return users_; }
  // The user whose privileges are shown; "" when none.
  [[nodiscard]] const std::string& selected() const { return selected_; }
  [[nodiscard]] const UserInfo* selectedUser() const;
  [[nodiscard]] bool isGranted(int function, int action) const;

  // The events of the screen. Each returns false when it is refused and
  // leaves the reason in message(); a refused change writes nothing.
  bool select(const std::string& name);
  bool addUser(const std::string& name, const std::string& password, const std::string& repeated, bool administrator);
  bool resetPassword(const std::string& password, const std::string& repeated);
  [[nodiscard]] std::string removalQuestion() const;
  bool removeSelected();
  bool setGranted(int function, int action, bool granted);

 private:
  bool refuse(std::string message);
  // Runs a change of an administrator, then reads the users again. The
  // change returns false after refuse(); the store's and the database's
  // failures become refusals too.
  template <typename Change>
  bool change(Change body);
  bool passwordAcceptable(const std::string& password, const std::string& repeated, bool administrator);
  void reload();

  UserStore store_;
  std::string currentUser_;
  bool allowed_ = false;
  std::string message_;
  std::vector<UserInfo> users_;
  std::string selected_;
  std::set<Privilege> granted_;  // of the selected user
};

}  // namespace qj::host
