// A named host lock held for the lifetime of a scope, released on every way out of it.
#pragma once

#include <string>

#include "hostapi/host_services.h"

namespace qj::base {

// The host's named locks the rules take (see the host's lock table for what
// each one excludes).
inline constexpr const char* kBookLock = "ACCLOCK";           // the whole book, one session only
inline constexpr const char* kLedgerLock = "CREDLOCK";        // vouchers and balances: posting and the like
inline constexpr const char* kVoucherSaveLock = "CREDWLOCK";  // saving vouchers, one saver at a time
inline constexpr const char* kLedgerShareLock = "CREDSHARE";  // open voucher screens: keeps posting out

class HostLock {
 public:
  // Asks the host for the lock; granted() tells whether it was given.
  HostLock(HostServices& host, std::string name, bool releaseFlag = false)
      : host_(host), name_(std::move(name)), releaseFlag_(releaseFlag), granted_(host_.SetLock(name_, true, false)) {}
  HostLock(const HostLock&) = delete;
  HostLock& operator=(const HostLock&) = delete;
  ~HostLock() { release(); }

  [[nodiscard]] bool granted() const { return granted_; }
  explicit operator bool() const { return granted_; }

  // Gives the lock back before the scope ends.
  void release() {
    if (!granted_) return;
    granted_ = false;
    host_.SetLock(name_, false, releaseFlag_);
  }

 private:
  HostServices& host_;
  std::string name_;
  bool releaseFlag_;
  bool granted_;
};

}  // namespace qj::base
