// A recording host for package tests: real book database, everything else in memory.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "data/connection.h"
#include "data/period.h"
#include "hostapi/host_services.h"

namespace qj::test {

// Creates the schema and the state row of a book started in `start` with a
// 3-2-2-2 code structure.
void SeedBook(data::Connection& db, const Period& start);

struct Message {
  std::string text;
  std::string caption;
  int flags = 0;
};

class TestHost final : public HostServices {
 public:
  explicit TestHost(data::Connection& db);

  // What the tests set up.
  AccountBooksData book;
  ReservedSubjects reserved;
  std::deque<int> answers;  // for ShowMsgBox; IdOk when empty
  std::set<std::pair<int, int>> deniedPrivileges;
  std::set<std::string> refusedLocks;  // SetLock refuses these
  // Runs once when the named lock is next granted: what another session did
  // just before this one got the lock.
  std::map<std::string, std::function<void()>> onLocked;
  std::function<void(const std::string&)> onPrivilegedForm;  // runs while a host form "is shown"
  QWidget* mainWindow = nullptr;                             // for screens that fit themselves into it
  // What the package did.
  std::vector<std::pair<std::string, FinanceCallback>> registered;
  std::vector<Message> messages;
  std::vector<std::string> databaseErrors;
  std::map<std::string, int> heldLocks;  // name -> holds
  std::vector<std::pair<int, std::string>> log;
  std::vector<std::string> globalCalls;
  std::vector<std::string> globalCallArguments;       // GlobalCall's argument, beside its command
  std::vector<std::pair<std::string, bool>> toolbar;  // SETCOMPONENTENABLED calls: item, enabled
  int reloads = 0;

  void RegistFunction(const std::string& name, FinanceCallback callback) override;
  void GlobalCall(const std::string& command, const std::string& argument, VorParams* params) override;
  long GlobalCallEx(const std::string& command, const std::string& argument, VorParams* params) override;
  void AppShowMessage(const std::string& text) override;
  int ShowMsgBox(const std::string& text, const std::string& caption, int flags) override;
  bool SetLock(const std::string& name, bool lock, bool flag) override;
  bool HasOvoPrivilege2(int number, int action, bool show) override;
  void ShowPrivilegedForm(const std::string& name, int action, bool flag1, bool flag2) override;
  bool FormIsExist(const std::string& name) override;
  void FormOpened(const std::string& name) override;
  void FormClosed(const std::string& name) override;
  void WriteLog(int code, const std::string& text) override;
  QWidget* MainWindow() override { return mainWindow; }
  void ShowChildWindow(QWidget*) override {}
  data::Connection& FindStartupDB() override { return db_; }
  void EDBEngineErrorHandler(const data::DbError& error) override;
  std::int64_t GetOvoKeyValue(const std::string& keyName) override;
  const AccountBooksData& accountBooksData() override { return book; }
  void ReloadAccountBooksData() override;
  void SetAuditFlags(bool mustCheck, bool sameUser) override;
  const ReservedSubjects& ReservedSub() override { return reserved; }
  std::string asUserName() override { return "测试员"; }
  std::string asProductionName() override { return "青简财务"; }
  std::string asTempDirectory() override { return "/tmp"; }
  Date OvoBillTime() override { return Date(2011, 7, 15); }

 private:
  data::Connection& db_;
  std::map<std::string, int> openForms_;
};

}  // namespace qj::test
