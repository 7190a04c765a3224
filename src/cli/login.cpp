#include "cli/login.h"

#include <cstdlib>

#include "host/user_store.h"

namespace qj::cli {

Login LogIn(const std::string& location, const std::string& user) {
  const std::string typed = user.empty() ? host::kAdministrator : user;
  Login login{host::BookSession::Open(location), typed};
  const char* password = std::getenv("QINGJIAN_PASSWORD");
  const host::UserStore users(login.session->db());
  const auto stored = users.find(typed);
  if (!stored || !users.verify(*stored, password ? password : "")) throw LoginError("用户名或密码不正确：" + typed);
  login.user = *stored;
  return login;
}

}  // namespace qj::cli
