// What the package may ask of its host. The package reaches the host only
// through this interface; the desktop program, the command-line program and
// the tests each provide one.
#pragma once

#include <cstdint>
#include <string>

#include "data/connection.h"
#include "data/date.h"
#include "hostapi/account_books_data.h"
#include "hostapi/vor_params.h"

class QWidget;

namespace qj {

// The shape of every registered command, the package's entry among them.
using FinanceCallback = long (*)(const char* command, const char* param, VorParams* params);

// Message box flags and answers (the values the package passes to ShowMsgBox).
namespace msgbox {
inline constexpr int Ok = 0;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int IconError = 16;
inline constexpr int IconQuestion = 32;
inline constexpr int IconWarning = 48;
inline constexpr int IconInformation = 64;
inline constexpr int AskYesNo = YesNo | IconQuestion;  // 36
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
}  // namespace msgbox

// Log codes screens write when they open and close.
namespace logcode {
inline constexpr int ScreenOpened = 200;
inline constexpr int ScreenClosed = 201;
}  // namespace logcode

class HostServices {
 public:
  virtual ~HostServices() = default;

  // Commands.
  virtual void RegistFunction(const std::string& name, FinanceCallback callback) = 0;
  // Runs a registered command of any package; an unregistered one does nothing.
  virtual void GlobalCall(const std::string& command, const std::string& argument, VorParams* params) = 0;
  // As GlobalCall, returning the command's result.
  virtual long GlobalCallEx(const std::string& command, const std::string& argument, VorParams* params) = 0;

  // Messages. ShowMsgBox returns msgbox::IdOk, IdYes, IdNo or IdCancel.
  virtual void AppShowMessage(const std::string& text) = 0;
  virtual int ShowMsgBox(const std::string& text, const std::string& caption, int flags) = 0;

  // Named locks: "ACCLOCK", "CREDLOCK", "CREDWLOCK", "CREDSHARE", "PrintStyleLock".
  // With lock true, asks for the lock and says whether it was granted; with
  // lock false, releases one hold of it. `flag` is not used by this host.
  virtual bool SetLock(const std::string& name, bool lock, bool flag) = 0;

  // Privileges: function number and action (1 open, 2 add, 3 modify, 4 delete,
  // 5 run, 6 print or export, 7 design print styles). With show true the host
  // tells the user when the privilege is missing.
  virtual bool HasOvoPrivilege2(int number, int action, bool show) = 0;
  virtual void ShowPrivilegedForm(const std::string& name, int action, bool flag1, bool flag2) = 0;

  // Open screens, by screen name.
  virtual bool FormIsExist(const std::string& name) = 0;
  virtual void FormOpened(const std::string& name) = 0;
  virtual void FormClosed(const std::string& name) = 0;

  virtual void WriteLog(int code, const std::string& text) = 0;

  // The desktop's main window, parent of the package's screens; nullptr when
  // the host has no display (the command line), where no screen can open.
  virtual QWidget* MainWindow() = 0;
  // Shows a non-modal list screen as a child window inside the main window.
  virtual void ShowChildWindow(QWidget* screen) = 0;

  // The account-book database and its error handler.
  virtual data::Connection& FindStartupDB() = 0;
  virtual void EDBEngineErrorHandler(const data::DbError& error) = 0;
  // The next key for a named key ("Precis" and the like).
  virtual std::int64_t GetOvoKeyValue(const std::string& keyName) = 0;

  // The open book and the session.
  virtual const AccountBooksData& accountBooksData() = 0;
  // Reads the book record again after a command changed what it mirrors.
  virtual void ReloadAccountBooksData() = 0;
  virtual void SetAuditFlags(bool mustCheck, bool sameUser) = 0;
  virtual const ReservedSubjects& ReservedSub() = 0;
  virtual std::string asUserName() = 0;
  virtual std::string asProductionName() = 0;
  virtual std::string asTempDirectory() = 0;
  virtual Date OvoBillTime() = 0;
};

}  // namespace qj
