#include "host/host_application.h"

#include <filesystem>
#include <thread>

#include "base/host_lock.h"
#include "base/upper_case.h"
#include "data/dialect.h"
#include "data/procedures.h"
#include "host/host_log_store.h"
#include "host/privileged_functions.h"

namespace qj::host {

HostApplication::HostApplication(BookSession& session, MessageBoxes& boxes, std::string userName)
    : session_(session),
      boxes_(boxes),
      userName_(std::move(userName)),
      users_(session.db()),
      businessDate_(BusinessDateIn(Period{session.record().CurrYear, session.record().CurrMon}, Date::today())) {
  registerHostCommands();
}

Date BusinessDateIn(const Period& current, const Date& today) {
  const Period month = Period::ofDate(today);
  if (month == current || !current.isValid()) return today;
  return month > current ? current.lastDay() : current.firstDay();
}

void HostApplication::ReloadAccountBooksData() {
  session_.reload();
  const Period current{session_.record().CurrYear, session_.record().CurrMon};
  if (Period::ofDate(businessDate_) != current) businessDate_ = BusinessDateIn(current, Date::today());
}

void HostApplication::registerHostCommands() {
  // The book's voucher parameters, for screens that read them.
  registry_.RegistFunction("GETACCPARAMSREF", [this](const char*, const char*, VorParams* params) -> long {
    if (params) {
      params->AddValue("AccountVoucherType", std::int64_t{session_.record().AccountVoucherType});
      params->AddValue("CredCheckEdit", session_.record().CredCheckEdit);
    }
    return 0;
  });
  registry_.RegistFunction("SetMainCaption", [this](const char*, const char*, VorParams*) -> long {
    if (windows_) windows_->refreshCaption();
    return 0;
  });
  registry_.RegistFunction("Wait_frm", [this](const char*, const char* param, VorParams*) -> long {
    if (windows_) {
      if (base::UpperCase(param) == "START")
        windows_->startWaiting();
      else
        windows_->stopWaiting();
    }
    return 0;
  });
  // The documents of the suite's sales, purchasing and inventory modules are
  // not part of this product: say so instead of doing nothing.
  registry_.RegistFunction("SHOWBILLFORMFROMCRED", [this](const char*, const char* form, VorParams* params) -> long {
    const std::string bill = params ? std::to_string(params->GetInteger("BILLID")) : std::string("?");
    boxes_.show(
        "本系统未安装管理该单据的模块（" + std::string(form) + "，单据号 " + bill + "），不能查看凭证的来源单据。",
        kProductionName, msgbox::IconInformation);
    return 0;
  });
  registry_.RegistFunction("SETCOMPONENTENABLED", [this](const char*, const char* item, VorParams* params) -> long {
    if (windows_ && params) windows_->setToolbarItemEnabled(item, params->GetBoolean("ENABLED"));
    return 0;
  });
}

void HostApplication::ShowChildWindow(QWidget* screen) {
  if (windows_) windows_->showChildWindow(screen);
}

void HostApplication::RegistFunction(const std::string& name, FinanceCallback callback) {
  registry_.RegistFunction(name, callback);
}

void HostApplication::GlobalCall(const std::string& command, const std::string& argument, VorParams* params) {
  registry_.Call(command, argument, params);
}

long HostApplication::GlobalCallEx(const std::string& command, const std::string& argument, VorParams* params) {
  return registry_.Call(command, argument, params);
}

void HostApplication::AppShowMessage(const std::string& text) {
  boxes_.show(text, kProductionName, msgbox::IconInformation);
}

int HostApplication::ShowMsgBox(const std::string& text, const std::string& caption, int flags) {
  return boxes_.show(text, caption.empty() ? kProductionName : caption, flags);
}

bool HostApplication::SetLock(const std::string& name, bool lock, bool) {
  if (!lock) {
    session_.locks().release(name);
    return true;
  }
  if (session_.locks().acquire(name)) return true;
  if (saveLockWait_.count() > 0 && base::UpperCase(name) == base::kVoucherSaveLock) {
    const auto deadline = std::chrono::steady_clock::now() + saveLockWait_;
    while (session_.locks().lastError().empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
      if (session_.locks().acquire(name)) return true;
    }
  }
  // A refusal by another session is the caller's to explain; a broken lock
  // file or server connection is the host's.
  if (const std::string& fault = session_.locks().lastError(); !fault.empty())
    boxes_.show(fault, "出错信息", msgbox::IconError);
  return false;
}

bool HostApplication::HasOvoPrivilege2(int number, int action, bool show) {
  if (users_.hasPrivilege(userName_, number, action)) return true;
  if (show)
    boxes_.show("你没有" + PrivilegeName(number, action) + "权限，请与系统管理员联系。", kProductionName,
                msgbox::IconWarning);
  return false;
}

void HostApplication::registerHostForm(const std::string& name, int function, HostFormOpener opener) {
  hostForms_[base::UpperCase(name)] = {function, std::move(opener)};
}

void HostApplication::ShowPrivilegedForm(const std::string& name, int action, bool, bool) {
  // The host's own screens belong to the program that shows windows; without
  // one (the command line) the caller is told rather than left guessing.
  auto it = hostForms_.find(base::UpperCase(name));
  if (it == hostForms_.end()) {
    boxes_.show("本程序不提供“" + name + "”窗口。", kProductionName, msgbox::IconInformation);
    return;
  }
  if (!HasOvoPrivilege2(it->second.function, action, true)) return;
  it->second.open(action);
}

bool HostApplication::FormIsExist(const std::string& name) {
  auto it = openForms_.find(base::UpperCase(name));
  return it != openForms_.end() && it->second > 0;
}

void HostApplication::FormOpened(const std::string& name) { ++openForms_[base::UpperCase(name)]; }

void HostApplication::FormClosed(const std::string& name) {
  auto it = openForms_.find(base::UpperCase(name));
  if (it != openForms_.end() && --it->second <= 0) openForms_.erase(it);
}

namespace {
// The text cut to at most `bytes` bytes without splitting a UTF-8 character.
std::string cutUtf8(const std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return text.substr(0, bytes);
}
}  // namespace

void HostApplication::WriteLog(int code, const std::string& text) {
  WriteHostLog(session_.db(), userName_, code, cutUtf8(text, 255));
}

void HostApplication::EDBEngineErrorHandler(const data::DbError& error) {
  boxes_.show(data::DescribeForUser(error), "出错信息", msgbox::IconError);
}

std::int64_t HostApplication::GetOvoKeyValue(const std::string& keyName) {
  return data::FetchKeyValue(session_.db(), keyName);
}

void HostApplication::SetAuditFlags(bool mustCheck, bool sameUser) {
  session_.record().MustCheck = mustCheck;
  session_.record().SameUser = sameUser;
}

std::string HostApplication::asTempDirectory() {
  const auto folder = std::filesystem::temp_directory_path() / "qingjian";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder.string();
}

}  // namespace qj::host
