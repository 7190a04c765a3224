#include "host/user_admin_model.h"

#include "data/db_error.h"
#include "host/host_error.h"

namespace qj::host {
namespace {
constexpr const char* kAdministratorsOnly = "只有系统管理员才能管理用户与权限。";
}  // namespace

UserAdminModel::UserAdminModel(data::Connection& db, std::string currentUser)
    : store_(db), currentUser_(std::move(currentUser)) {
  allowed_ = store_.isAdministrator(currentUser_);
  if (!allowed_) {
    message_ = kAdministratorsOnly;
    return;
  }
  selected_ = currentUser_;
  reload();
}

const UserInfo* UserAdminModel::selectedUser() const {
  for (const UserInfo& user : users_)
    if (user.name == selected_) return &user;
  return nullptr;
}

bool UserAdminModel::isGranted(int function, int action) const {
  const UserInfo* user = selectedUser();
  if (!user) return false;
  return user->administrator || granted_.contains(Privilege{function, action});
}

bool UserAdminModel::refuse(std::string message) {
  message_ = std::move(message);
  return false;
}

bool UserAdminModel::passwordAcceptable(const std::string& password, const std::string& repeated, bool administrator) {
  if (password != repeated) return refuse("两次输入的密码不一致，请重新输入。");
  // A log-in as an administrator without a password asks for one first.
  if (administrator && password.empty()) return refuse("系统管理员的密码不能为空。");
  return true;
}

template <typename Change>
bool UserAdminModel::change(Change body) {
  message_.clear();
  bool done = false;
  try {
    if (!allowed_ || !store_.isAdministrator(currentUser_)) return refuse(kAdministratorsOnly);
    try {
      done = body();
    } catch (const HostError& error) {
      refuse(error.what());
    }
    reload();
  } catch (const data::DbError& error) {
    done = refuse(data::DescribeForUser(error));
  }
  return done;
}

void UserAdminModel::reload() {
  users_ = store_.list();
  if (!selectedUser()) selected_.clear();
  granted_.clear();
  if (!selected_.empty())
    for (const Privilege& privilege : store_.privileges(selected_)) granted_.insert(privilege);
}

bool UserAdminModel::select(const std::string& name) {
  message_.clear();
  selected_ = name;
  try {
    reload();
  } catch (const data::DbError& error) {
    return refuse(data::DescribeForUser(error));
  }
  return true;
}

bool UserAdminModel::addUser(const std::string& name, const std::string& password, const std::string& repeated,
                             bool administrator) {
  const bool added = change([&] {
    if (!passwordAcceptable(password, repeated, administrator)) return false;
    store_.add(name, password, administrator);
    return true;
  });
  return added && select(store_.find(name).value_or(name));
}

bool UserAdminModel::resetPassword(const std::string& password, const std::string& repeated) {
  return change([&] {
    const UserInfo* user = selectedUser();
    if (!user) return refuse("请先选择一个用户。");
    if (!passwordAcceptable(password, repeated, user->administrator)) return false;
    store_.setPassword(selected_, password);
    return true;
  });
}

std::string UserAdminModel::removalQuestion() const { return "确实要删除用户“" + selected_ + "”及其全部权限吗？"; }

bool UserAdminModel::removeSelected() {
  return change([&] {
    if (!selectedUser()) return refuse("请先选择一个用户。");
    if (selected_ == currentUser_) return refuse("不能删除当前登录的用户。");
    store_.remove(selected_);
    return true;
  });
}

bool UserAdminModel::setGranted(int function, int action, bool granted) {
  return change([&] {
    const UserInfo* user = selectedUser();
    if (!user) return refuse("请先选择一个用户。");
    if (user->administrator) return refuse("系统管理员拥有全部权限，无需单独授权。");
    if (granted)
      store_.grant(selected_, function, action);
    else
      store_.revoke(selected_, function, action);
    return true;
  });
}

}  // namespace qj::host
