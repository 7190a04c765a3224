// Changes that move voucher lines and balances hold "CREDLOCK", the exclusive
// use of the ledger, for their duration.
#pragma once

#include <optional>

#include "base/host_lock.h"
#include "hostapi/refusal.h"

namespace qj::subjects {

// Takes the lock into `lock`; false, after telling the user, when another user
// works in the ledger.
inline bool TakeLedgerLock(HostServices& host, std::optional<base::HostLock>& lock) {
  lock.emplace(host, base::kLedgerLock);
  if (*lock) return true;
  Show(host, {"科目调整需独占帐务系统，现在有其他用户正在使用帐务系统，请其他用户退出使用帐务系统后再调整科目。",
              host.asProductionName()});
  return false;
}

}  // namespace qj::subjects
