#include "cli/login.h"

#include <cstdlib>

#include "host/user_store.h"

namespace qj::cli {

Login LogIn(const std::string& location, const std::string& user) {
  Login login{host::BookSession::Open(location), user.empty() ? host::kAdministrator : user};
  const char* password = std::getenv("QINGJIAN_PASSWORD");
  if (!host::UserStore(login.session->db()).verify(login.user, password ? password : ""))
    throw LoginError("用户名或密码不正确：" + login.user);
  return login;
}

}  // namespace qj::cli
