#include "desktop/login_model.h"

#include "data/db_error.h"
#include "host/host_error.h"
#include "host/user_store.h"

namespace qj::desktop {
namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

LoginStep LoginModel::refuse(std::string message) {
  message_ = std::move(message);
  return LoginStep::Refused;
}

LoginStep LoginModel::logIn(const std::string& location, const std::string& user, const std::string& password) {
  cancel();
  const std::string where = trimmed(location);
  if (where.empty()) return refuse("请选择或输入要打开的帐套。");
  if (user.empty()) return refuse("请输入用户名。");
  std::unique_ptr<host::BookSession> session;
  try {
    session = host::BookSession::Open(where);
    const host::UserStore users(session->db());
    const auto stored = users.find(user);
    if (!stored || !users.verify(*stored, password)) return refuse("用户名或密码不正确，请重新输入。");
    passwordSet_ = !users.isAdministrator(*stored) || users.hasPassword(*stored);
    user_ = *stored;
  } catch (const host::HostError& error) {
    return refuse(error.what());
  } catch (const data::DbError& error) {
    return refuse(data::DescribeForUser(error));
  } catch (const std::exception& error) {
    return refuse(std::string("无法打开帐套：") + error.what());
  }
  session_ = std::move(session);
  message_.clear();
  return passwordSet_ ? LoginStep::Done : LoginStep::NeedsPassword;
}

LoginStep LoginModel::setFirstPassword(const std::string& password, const std::string& repeated) {
  if (!session_) return refuse("请先登录帐套。");
  if (password.empty()) return refuse("系统管理员的密码不能为空。");
  if (password != repeated) return refuse("两次输入的密码不一致，请重新输入。");
  try {
    host::UserStore(session_->db()).setPassword(user_, password);
  } catch (const data::DbError& error) {
    return refuse(data::DescribeForUser(error));
  } catch (const std::exception& error) {
    return refuse(std::string("无法保存密码：") + error.what());
  }
  passwordSet_ = true;
  message_.clear();
  return LoginStep::Done;
}

void LoginModel::cancel() {
  session_.reset();
  user_.clear();
  passwordSet_ = false;
}

Login LoginModel::take() {
  if (!session_ || !passwordSet_) throw std::logic_error("no finished log-in to take");
  passwordSet_ = false;
  return Login{std::move(session_), std::move(user_)};
}

}  // namespace qj::desktop
