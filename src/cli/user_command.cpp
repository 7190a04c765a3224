#include <iostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/login.h"
#include "host/host_error.h"
#include "host/user_store.h"

namespace qj::cli {
namespace {

std::string readPassword() {
  std::string line;
  std::getline(std::cin, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

int RunUser(const std::vector<std::string>& words) {
  const Arguments args(words, {"user"}, {"admin"});
  const std::string& action = args.need(0, "user 的子命令（add、passwd、grant）");
  if (action != "add" && action != "passwd" && action != "grant") throw UsageError("不认识的 user 子命令：" + action);
  const std::string& location = args.need(1, "帐套位置 BOOK");
  const std::string& name = args.need(2, "用户名 NAME");
  Login login = LogIn(location, args.option("user").value_or(""));
  host::UserStore users(login.session->db());
  const bool administrator = users.isAdministrator(login.user);
  // Users may change their own password; everything else is the administrator's.
  if (!administrator && !(action == "passwd" && name == login.user))
    throw host::HostError("只有系统管理员可以管理用户");
  if (action == "add") {
    users.add(name, readPassword(), args.has("admin"));
    std::cout << "已新增用户：" << name << "\n";
  } else if (action == "passwd") {
    users.setPassword(name, readPassword());
    std::cout << "已修改用户密码：" << name << "\n";
  } else {
    const int function = ParseInteger(args.need(3, "功能号 FUNCTION"), "功能号");
    const int act = ParseInteger(args.need(4, "操作 ACTION"), "操作");
    users.grant(name, function, act);
    std::cout << "已授权：" << name << " 功能号 " << function << " 操作 " << act << "\n";
  }
  return kExitOk;
}

}  // namespace qj::cli
