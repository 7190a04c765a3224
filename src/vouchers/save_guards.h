// What every voucher save needs before it writes: the voucher screen's add
// and edit rights, and the save lock that serialises the saves of all users.
#pragma once

#include <optional>

#include "base/host_lock.h"
#include "base/product_caption.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"

namespace qj::vouchers {

inline constexpr int kVoucherPrivilegeFunction = 58;  // the voucher screen: 1 open, 2 add, 3 edit, 4 delete
inline constexpr int kVoucherAddAction = 2;
inline constexpr int kVoucherEditAction = 3;
inline constexpr int kVoucherDeleteAction = 4;

// Auditing a voucher, from the audit list or the voucher screen.
inline constexpr int kAuditPrivilegeFunction = 59;
inline constexpr int kAuditAction = 5;

// Shown under the product caption when the save lock is refused: it says
// whether the ledger work that keeps every save out (posting, the period end)
// is running, or another user is saving.
inline Refusal SaveLockBusyRefusal(HostServices& host) {
  if (!base::HostLock(host, base::kLedgerShareLock))
    return {"其他用户正在登帐或进行期末处理，请稍后再保存凭证。", base::kProductCaption};
  return {"其他用户正在保存凭证，请稍后再保存。", base::kProductCaption};
}

// Shown under the product caption when an audit from the voucher screen
// meets the save lock held by another user.
inline Refusal AuditLockBusyRefusal() { return {"其他用户正在保存凭证，请稍后再审核。", base::kProductCaption}; }

// A new voucher needs the add right; every voucher the edit right.
inline std::optional<Refusal> SaveRightRefusal(HostServices& host, bool newVoucher) {
  if (newVoucher && !host.HasOvoPrivilege2(kVoucherPrivilegeFunction, kVoucherAddAction, false))
    return Refusal{"你没有新增的权限,所做的修改不能保存!"};
  if (!host.HasOvoPrivilege2(kVoucherPrivilegeFunction, kVoucherEditAction, false))
    return Refusal{"你没有编辑的权限,所做的修改不能保存!"};
  return std::nullopt;
}

}  // namespace qj::vouchers
