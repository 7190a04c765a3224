#include "voucher_sessions.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "host/book_creation.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "host/user_store.h"
#include "package/starting_chart.h"
#include "vouchers/voucher_entry_model.h"

namespace qj::test {

using vouchers::Column;
using vouchers::Key;
using vouchers::VoucherEntryModel;

namespace {

// Each save may be refused a few times while the other session saves; a
// session that gets nowhere for this long has a fault, not bad luck.
constexpr int kMaxRefusalsPerVoucher = 20000;

void typeAmount(VoucherEntryModel& model, Column column, int amount) {
  model.moveTo(model.currentLine(), column);
  for (const char digit : std::to_string(amount)) model.pressKey(vouchers::DigitKey(digit - '0'));
}

void typeVoucher(VoucherEntryModel& model, int amount) {
  model.moveTo(0, Column::Summary);
  model.editSummary("提取现金");
  model.moveTo(0, Column::Subject);
  model.editSubjectText("101");
  typeAmount(model, Column::Debit, amount);
  model.pressKey(Key::Down);
  model.moveTo(1, Column::Subject);
  model.editSubjectText("102");
  typeAmount(model, Column::Credit, amount);
}

}  // namespace

void CreateSessionBook(const std::string& location) {
  host::NewBook book;
  book.location = location;
  book.start = Period{2011, 7};
  book.installChart = package::StartingChartInstaller(package::StartingChart::Legacy);
  host::CreateBook(book);
  // Two bookkeepers who may add and change vouchers.
  auto session = host::BookSession::Open(location);
  host::UserStore users(session->db());
  for (const char* name : {kFirstBookkeeper, kSecondBookkeeper}) {
    users.add(name, "");
    for (const int action : {1, 2, 3}) users.grant(name, vouchers::kVoucherPrivilegeFunction, action);
  }
}

int SaveVouchers(const std::string& location, const std::string& user, int count) {
  auto session = host::BookSession::Open(location);
  host::ScriptedMessageBoxes boxes(true);  // Yes to "use the next free number?"
  host::HostApplication app(*session, boxes, user);
  app.setBusinessDate(Date(2011, 7, 15));
  VoucherEntryModel model(app, {});
  if (!model.open()) return 0;
  int saved = 0;
  for (int i = 0; i < count; ++i) {
    typeVoucher(model, 100 + i);
    int refusals = 0;
    while (!model.save()) {
      if (++refusals == kMaxRefusalsPerVoucher) return saved;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ++saved;
    if (!model.newVoucher()) return saved;
  }
  return saved;
}

ChildProcess::ChildProcess(const std::function<bool()>& work) {
  std::fflush(nullptr);
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    int status = 1;
    try {
      status = work() ? 0 : 1;
    } catch (...) {
      status = 2;
    }
    ::_exit(status);
  }
}

ChildProcess::~ChildProcess() { kill(); }

bool ChildProcess::succeeded() {
  int status = 0;
  if (pid_ <= 0 || ::waitpid(pid_, &status, 0) != pid_) return false;
  pid_ = -1;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ChildProcess::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

LockHoldingProcess::LockHoldingProcess(const std::string& location, const std::string& lock) {
  int report[2];
  int command[2];
  if (::pipe(report) != 0 || ::pipe(command) != 0) throw std::runtime_error("pipe");
  std::fflush(nullptr);
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    ::close(report[0]);
    ::close(command[1]);
    char granted = '0';
    try {
      auto session = host::BookSession::Open(location);
      host::ScriptedMessageBoxes boxes;
      host::HostApplication app(*session, boxes, host::kAdministrator);
      if (app.SetLock(lock, true, false)) granted = '1';
      if (::write(report[1], &granted, 1) != 1) ::_exit(1);
      char any = 0;
      if (::read(command[0], &any, 1) < 0) ::_exit(1);
      app.SetLock(lock, false, false);
    } catch (...) {
      if (::write(report[1], &granted, 1) != 1) ::_exit(1);
    }
    ::_exit(0);
  }
  ::close(report[1]);
  ::close(command[0]);
  command_ = command[1];
  char granted = '0';
  holding_ = ::read(report[0], &granted, 1) == 1 && granted == '1';
  ::close(report[0]);
}

LockHoldingProcess::~LockHoldingProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (command_ >= 0) ::close(command_);
}

void LockHoldingProcess::release() {
  if (pid_ <= 0) return;
  const char go = 'x';
  if (::write(command_, &go, 1) != 1) ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace qj::test
