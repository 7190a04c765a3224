// Sessions of the voucher screen in processes of their own, on one book:
// what two bookkeepers saving at the same time, or one whose machine dies
// in the middle of a save, do to the book.
#pragma once

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>

namespace qj::test {

inline constexpr const char* kFirstBookkeeper = "张会计";
inline constexpr const char* kSecondBookkeeper = "李会计";

// Creates a SQLite or PostgreSQL book at `location`, started 2011-07 with
// the standard chart and the two bookkeepers.
void CreateSessionBook(const std::string& location);

// Saves `count` two-line vouchers in July 2011 through the voucher screen's
// model, as `user`, retrying each save the way a user would after a refusal
// (the save lock busy, an identifier or number taken meanwhile). The number
// of vouchers stored.
int SaveVouchers(const std::string& location, const std::string& user, int count);

// A child process running `work`; its exit status is 0 when `work` returned true.
class ChildProcess {
 public:
  explicit ChildProcess(const std::function<bool()>& work);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  // Waits for the process; true when its work succeeded.
  bool succeeded();
  // Kills it outright (SIGKILL) and waits until it is gone.
  void kill();

 private:
  pid_t pid_ = -1;
};

// A child process saving `count` vouchers (SaveVouchers).
inline std::unique_ptr<ChildProcess> SavingProcess(const std::string& location, const std::string& user, int count) {
  return std::make_unique<ChildProcess>([=] { return SaveVouchers(location, user, count) == count; });
}

// A child process that opens the book as the administrator, takes one named
// lock and holds it until it is told to let go (or killed).
class LockHoldingProcess {
 public:
  LockHoldingProcess(const std::string& location, const std::string& lock);
  LockHoldingProcess(const LockHoldingProcess&) = delete;
  LockHoldingProcess& operator=(const LockHoldingProcess&) = delete;
  ~LockHoldingProcess();

  // Whether the child got the lock.
  [[nodiscard]] bool holding() const { return holding_; }
  // Tells the child to release the lock and end; waits for it.
  void release();

 private:
  pid_t pid_ = -1;
  int command_ = -1;
  bool holding_ = false;
};

}  // namespace qj::test
