// Our host: the services the package asks for, over one open book and one user.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "data/period.h"
#include "host/book_session.h"
#include "host/command_registry.h"
#include "host/message_boxes.h"
#include "host/user_store.h"
#include "host/window_host.h"
#include "hostapi/host_services.h"

namespace qj::host {

inline constexpr const char* kProductionName = "青简财务";

// The date new work is dated by: today while the book's current period is
// this month; otherwise the current period's last day (a book behind the
// calendar) or first day (a book started ahead of it).
Date BusinessDateIn(const Period& current, const Date& today);

class HostApplication final : public HostServices {
 public:
  // `userName` must be a user of the book (log-in is checked before).
  HostApplication(BookSession& session, MessageBoxes& boxes, std::string userName);

  [[nodiscard]] CommandRegistry& registry() { return registry_; }
  // The desktop's window services; without them screens cannot open and the
  // window commands (SetMainCaption, Wait_frm, SETCOMPONENTENABLED) do nothing.
  void setWindowHost(WindowHost* windows) { windows_ = windows; }
  void setBusinessDate(const Date& date) { businessDate_ = date; }
  // How long a voucher save asks again for the save lock another session
  // holds before it is refused: a script waits its turn for a moment, a
  // screen is told at once.
  void setSaveLockWait(std::chrono::milliseconds wait) { saveLockWait_ = wait; }
  // Makes one of the host's own screens available to ShowPrivilegedForm: it
  // opens through `opener` (given the action asked for) once the user holds
  // the privilege of `function` for that action. Names compare without
  // regard to case.
  using HostFormOpener = std::function<void(int action)>;
  void registerHostForm(const std::string& name, int function, HostFormOpener opener);

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
  QWidget* MainWindow() override { return windows_ ? windows_->mainWindow() : nullptr; }
  void ShowChildWindow(QWidget* screen) override;
  data::Connection& FindStartupDB() override { return session_.db(); }
  void EDBEngineErrorHandler(const data::DbError& error) override;
  std::int64_t GetOvoKeyValue(const std::string& keyName) override;
  const AccountBooksData& accountBooksData() override { return session_.record(); }
  // Reloads the book record; a business date outside a changed current
  // period moves into it, as it was chosen at log-in.
  void ReloadAccountBooksData() override;
  void SetAuditFlags(bool mustCheck, bool sameUser) override;
  const ReservedSubjects& ReservedSub() override { return session_.reserved(); }
  std::string asUserName() override { return userName_; }
  std::string asProductionName() override { return kProductionName; }
  std::string asTempDirectory() override;
  Date OvoBillTime() override { return businessDate_; }

 private:
  void registerHostCommands();

  struct HostForm {
    int function = 0;
    HostFormOpener open;
  };

  BookSession& session_;
  MessageBoxes& boxes_;
  std::string userName_;
  UserStore users_;
  WindowHost* windows_ = nullptr;
  CommandRegistry registry_;
  std::map<std::string, int> openForms_;       // upper-cased screen name -> open instances
  std::map<std::string, HostForm> hostForms_;  // by upper-cased screen name
  Date businessDate_;
  std::chrono::milliseconds saveLockWait_{0};
};

}  // namespace qj::host
