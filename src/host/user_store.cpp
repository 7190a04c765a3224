#include "host/user_store.h"

#include <sodium.h>

#include <algorithm>

#include "host/host_error.h"

namespace qj::host {
namespace {

// Vouchers record their maker, auditor and poster in ten characters.
constexpr std::size_t kMaxNameCharacters = 10;

std::size_t characters(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

std::string hashPassword(const std::string& password) {
  if (password.empty()) return {};
  if (sodium_init() < 0) throw HostError("无法初始化密码模块");
  char hash[crypto_pwhash_STRBYTES];
  // Argon2id with a random salt, slow enough to resist guessing.
  if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw HostError("内存不足，无法设置密码");
  return hash;
}

std::string withoutSurroundingSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Latin letters in lower case; every other byte as it is.
std::string folded(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

void checkName(const std::string& name) {
  if (name.empty()) throw HostError("用户名不能为空");
  if (characters(name) > kMaxNameCharacters) throw HostError("用户名太长（最多 10 个字）");
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7f) throw HostError("用户名中不能有控制字符");
}

void checkPrivilege(int function, int action) {
  if (function < 0) throw HostError("功能号不能为负数");
  if (action < 1 || action > 7) throw HostError("操作应为 1 到 7 之间的整数");
}

}  // namespace

void UserStore::requireUser(const std::string& name) const {
  if (!exists(name)) throw HostError("没有用户“" + name + "”");
}

void UserStore::add(const std::string& typed, const std::string& password, bool administrator) {
  const std::string name = withoutSurroundingSpaces(typed);
  checkName(name);
  if (const auto taken = find(name)) throw HostError("用户“" + *taken + "”已经存在");
  if (administrator && password.empty()) throw HostError("系统管理员的密码不能为空。");
  db_.execute("INSERT INTO HostUser (USERNAME, PASSWORDHASH, ISADMIN) VALUES (:name, :hash, :admin)",
              {{"name", name}, {"hash", hashPassword(password)}, {"admin", administrator ? "T" : "F"}});
}

void UserStore::addFirstAdministrator() {
  db_.execute("INSERT INTO HostUser (USERNAME, PASSWORDHASH, ISADMIN) VALUES (:name, '', 'T')",
              {{"name", kAdministrator}});
}

std::optional<std::string> UserStore::find(const std::string& typed) const {
  const std::string wanted = folded(withoutSurroundingSpaces(typed));
  for (const auto& row : db_.query("SELECT USERNAME FROM HostUser")) {
    std::string name = row.text("USERNAME");
    if (folded(name) == wanted) return name;
  }
  return std::nullopt;
}

void UserStore::setPassword(const std::string& name, const std::string& password) {
  requireUser(name);
  db_.execute("UPDATE HostUser SET PASSWORDHASH=:hash WHERE USERNAME=:name",
              {{"hash", hashPassword(password)}, {"name", name}});
}

void UserStore::remove(const std::string& name) {
  data::Transaction tx(db_);
  requireUser(name);
  if (isAdministrator(name) && data::IntegerOf(db_.scalar("SELECT COUNT(*) FROM HostUser WHERE ISADMIN='T'")) <= 1)
    throw HostError("“" + name + "”是帐套中唯一的系统管理员，不能删除");
  db_.execute("DELETE FROM HostPrivilege WHERE USERNAME=:name", {{"name", name}});
  db_.execute("DELETE FROM HostUser WHERE USERNAME=:name", {{"name", name}});
  tx.commit();
}

bool UserStore::exists(const std::string& name) const {
  return db_.queryOne("SELECT USERNAME FROM HostUser WHERE USERNAME=:name", {{"name", name}}).has_value();
}

bool UserStore::isAdministrator(const std::string& name) const {
  const auto row = db_.queryOne("SELECT ISADMIN FROM HostUser WHERE USERNAME=:name", {{"name", name}});
  return row && row->flag("ISADMIN");
}

bool UserStore::hasPassword(const std::string& name) const {
  const auto row = db_.queryOne("SELECT PASSWORDHASH FROM HostUser WHERE USERNAME=:name", {{"name", name}});
  return row && !row->text("PASSWORDHASH").empty();
}

bool UserStore::verify(const std::string& name, const std::string& password) const {
  const auto row = db_.queryOne("SELECT PASSWORDHASH FROM HostUser WHERE USERNAME=:name", {{"name", name}});
  if (!row) return false;
  const std::string hash = row->text("PASSWORDHASH");
  if (hash.empty()) return password.empty();
  if (sodium_init() < 0) return false;
  return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

void UserStore::grant(const std::string& name, int function, int action) {
  requireUser(name);
  checkPrivilege(function, action);
  db_.execute(
      "INSERT INTO HostPrivilege (USERNAME, FUNCTIONID, ACTIONID) VALUES (:name, :function, :action) "
      "ON CONFLICT (USERNAME, FUNCTIONID, ACTIONID) DO NOTHING",
      {{"name", name}, {"function", function}, {"action", action}});
}

void UserStore::revoke(const std::string& name, int function, int action) {
  db_.execute("DELETE FROM HostPrivilege WHERE USERNAME=:name AND FUNCTIONID=:function AND ACTIONID=:action",
              {{"name", name}, {"function", function}, {"action", action}});
}

bool UserStore::hasPrivilege(const std::string& name, int function, int action) const {
  if (isAdministrator(name)) return true;
  return db_
      .queryOne("SELECT USERNAME FROM HostPrivilege WHERE USERNAME=:name AND FUNCTIONID=:function AND ACTIONID=:action",
                {{"name", name}, {"function", function}, {"action", action}})
      .has_value();
}

std::vector<UserInfo> UserStore::list() const {
  std::vector<UserInfo> users;
  for (const auto& row : db_.query("SELECT USERNAME, PASSWORDHASH, ISADMIN FROM HostUser"))
    users.push_back({row.text("USERNAME"), row.flag("ISADMIN"), !row.text("PASSWORDHASH").empty()});
  // Sorted here: the engines collate Chinese text differently.
  std::ranges::sort(users, {}, &UserInfo::name);
  return users;
}

std::vector<Privilege> UserStore::privileges(const std::string& name) const {
  std::vector<Privilege> granted;
  for (const auto& row :
       db_.query("SELECT FUNCTIONID, ACTIONID FROM HostPrivilege WHERE USERNAME=:name", {{"name", name}}))
    granted.push_back({static_cast<int>(row.integer("FUNCTIONID")), static_cast<int>(row.integer("ACTIONID"))});
  std::ranges::sort(granted);
  return granted;
}

}  // namespace qj::host
