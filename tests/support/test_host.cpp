#include "support/test_host.h"

#include "data/procedures.h"
#include "data/schema.h"

namespace qj::test {

void SeedBook(data::Connection& db, const Period& start) {
  data::CreateSchema(db);
  db.execute(
      "INSERT INTO AccountState (GUID, STARTDATE, CURRYEAR, CURRMON, MUSTCHECK, SAMEUSER, STATUS) "
      "VALUES ('TEST-BOOK', :start, :year, :month, 'F', 'F', 0)",
      {{"start", start.firstDay()}, {"year", start.year}, {"month", start.month}});
}

TestHost::TestHost(data::Connection& db) : db_(db) {
  book.SubjectLevelLen = {3, 5, 7, 9};
  book.SubjectLevels = 4;
  ReloadAccountBooksData();
  reloads = 0;
}

void TestHost::RegistFunction(const std::string& name, FinanceCallback callback) {
  registered.emplace_back(name, callback);
}

void TestHost::GlobalCall(const std::string& command, const std::string& argument, VorParams* params) {
  globalCalls.push_back(command);
  globalCallArguments.push_back(argument);
  if (command == "SETCOMPONENTENABLED" && params) toolbar.emplace_back(argument, params->GetBoolean("ENABLED"));
}

long TestHost::GlobalCallEx(const std::string& command, const std::string&, VorParams*) {
  globalCalls.push_back(command);
  return 0;
}

void TestHost::AppShowMessage(const std::string& text) {
  messages.push_back({text, "青简财务", msgbox::IconInformation});
}

int TestHost::ShowMsgBox(const std::string& text, const std::string& caption, int flags) {
  messages.push_back({text, caption, flags});
  if (answers.empty()) return msgbox::IdOk;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

bool TestHost::SetLock(const std::string& name, bool lock, bool) {
  if (!lock) {
    if (auto it = heldLocks.find(name); it != heldLocks.end() && --it->second == 0) heldLocks.erase(it);
    return true;
  }
  if (refusedLocks.contains(name)) return false;
  ++heldLocks[name];
  if (auto hook = onLocked.extract(name)) hook.mapped()();
  return true;
}

bool TestHost::HasOvoPrivilege2(int number, int action, bool) { return !deniedPrivileges.contains({number, action}); }

void TestHost::ShowPrivilegedForm(const std::string& name, int, bool, bool) {
  globalCalls.push_back(name);
  if (onPrivilegedForm) onPrivilegedForm(name);
}

bool TestHost::FormIsExist(const std::string& name) { return openForms_[name] > 0; }
void TestHost::FormOpened(const std::string& name) { ++openForms_[name]; }
void TestHost::FormClosed(const std::string& name) { --openForms_[name]; }

void TestHost::WriteLog(int code, const std::string& text) { log.emplace_back(code, text); }

void TestHost::EDBEngineErrorHandler(const data::DbError& error) { databaseErrors.push_back(error.what()); }

std::int64_t TestHost::GetOvoKeyValue(const std::string& keyName) { return data::FetchKeyValue(db_, keyName); }

void TestHost::ReloadAccountBooksData() {
  ++reloads;
  const auto row = db_.queryOne("SELECT STARTDATE, CURRYEAR, CURRMON, MUSTCHECK, SAMEUSER, STATUS FROM AccountState");
  if (!row) return;
  if (auto start = row->date("STARTDATE")) {
    book.StartDate = *start;
    book.StartYear = start->year();
    book.StartMonth = start->month();
  }
  book.CurrYear = static_cast<int>(row->integer("CURRYEAR"));
  book.CurrMon = static_cast<int>(row->integer("CURRMON"));
  book.MustCheck = row->flag("MUSTCHECK");
  book.SameUser = row->flag("SAMEUSER");
  book.Status = static_cast<int>(row->integer("STATUS"));
}

void TestHost::SetAuditFlags(bool mustCheck, bool sameUser) {
  book.MustCheck = mustCheck;
  book.SameUser = sameUser;
}

}  // namespace qj::test
