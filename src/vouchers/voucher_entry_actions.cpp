// The voucher screen's buttons beside saving: delete, audit, cash-flow
// allocation and the source document.
#include "base/product_caption.h"
#include "hostapi/vor_params.h"
#include "vouchers/save_guards.h"
#include "vouchers/source_documents.h"
#include "vouchers/voucher_delete_rules.h"
#include "vouchers/voucher_entry_model.h"
#include "vouchers/voucher_queries.h"
#include "vouchers/voucher_store.h"

namespace qj::vouchers {

namespace {

// The allocation editor belongs to cash-flow preparation: opening it needs
// that screen's open privilege.
constexpr int kAllocationPrivilegeFunction = 72;
constexpr int kOpenAction = 1;

constexpr const char* kAlreadyAudited = "该张凭证已经审核";
constexpr const char* kMakerAudits = "审核与制单不能是同一个人";
constexpr const char* kSaveBeforeAudit = "凭证尚未保存，请先保存凭证再审核。";
constexpr const char* kNoCashFlowLines = "当前凭证没有核算现金流量的科目存在，无需进行现金流量的分配";
constexpr const char* kVoucherGone = "该记录已被删除，不能修改!";

}  // namespace

bool VoucherEntryModel::showNeighbourOf(const std::string& credId) {
  if (auto next = StoredCredIdAfter(db_, credId)) return showStored(*next);
  if (auto previous = StoredCredIdBefore(db_, credId)) return showStored(*previous);
  return startNewVoucher();
}

bool VoucherEntryModel::deleteVoucher() {
  if (!host_.HasOvoPrivilege2(kVoucherPrivilegeFunction, kVoucherDeleteAction, false)) return false;
  return attempt([&] {
    if (auto refusal = DeleteRefusal(db_, header_)) {
      base::ShowUnderProductCaption(host_, *refusal);
      return false;
    }
    if (host_.ShowMsgBox(kDeleteQuestion, caption::Warning, msgbox::YesNo | msgbox::IconWarning) != msgbox::IdYes)
      return false;
    // A voucher that was never stored is simply dropped.
    if (isNew()) return startNewVoucher();
    if (DeleteStoredVoucher(db_, storedCredId_) == DeleteOutcome::StoredStateChanged) {
      // Audited, posted or deleted by another session since it was shown.
      const auto stored = ReadVoucher(db_, storedCredId_, chart_, currencies_);
      const auto refusal = stored ? DeleteRefusal(db_, stored->header) : std::optional<Refusal>(Refusal{kVoucherGone});
      if (refusal) base::ShowUnderProductCaption(host_, *refusal);
      showStored(storedCredId_);
      return false;
    }
    return showNeighbourOf(storedCredId_);
  });
}

std::optional<Refusal> VoucherEntryModel::auditRefusal() const {
  if (header_.checked) return Refusal{kAlreadyAudited, caption::Notice};
  if (!host_.accountBooksData().SameUser && host_.asUserName() == header_.billMaker)
    return Refusal{kMakerAudits, caption::Notice};
  return std::nullopt;
}

bool VoucherEntryModel::audit() {
  if (isNew() || modified()) return refuse({kSaveBeforeAudit, caption::Notice});
  if (auto refusal = auditRefusal()) return refuse(*refusal);
  if (!host_.HasOvoPrivilege2(kAuditPrivilegeFunction, kAuditAction, true)) return false;
  return attempt([&] {
    base::HostLock lock(host_, base::kVoucherSaveLock);
    if (!lock) {
      base::ShowUnderProductCaption(host_, AuditLockBusyRefusal());
      return false;
    }
    const std::string auditor = host_.asUserName();
    const AuditOutcome outcome = AuditStoredVoucher(db_, storedCredId_, auditor, host_.accountBooksData().SameUser);
    lock.release();
    if (outcome == AuditOutcome::StoredStateChanged) {
      // Audited, changed or deleted by another session since it was shown.
      if (!showStored(storedCredId_) || isNew()) return refuse(Refusal{kVoucherGone});
      if (auto refusal = auditRefusal()) refuse(*refusal);
      return false;
    }
    header_.checked = true;
    header_.billCheck = auditor;
    return true;
  });
}

bool VoucherEntryModel::allocate() {
  if (!host_.HasOvoPrivilege2(kAllocationPrivilegeFunction, kOpenAction, false)) return false;
  Money debit;
  Money credit;
  bool anyCashLine = false;
  for (const VoucherLine& line : lines_) {
    if (!line.cashFlow) continue;
    anyCashLine = true;
    debit += line.debit;
    credit += line.credit;
  }
  if (!anyCashLine) return refuse({kNoCashFlowLines, caption::Notice});
  const bool moved = attempt([&] {
    MoveAllocation(db_, allocationCredId_, header_.credId);
    allocationCredId_ = header_.credId;
    return true;
  });
  if (!moved) return false;
  if (options_.editAllocation) options_.editAllocation(allocationCredId_, debit - credit);
  return true;
}

bool VoucherEntryModel::showSourceDocument() {
  if (!showsSourceDocument()) return false;
  const auto document = SourceDocumentOf(*header_.sourceKind);
  if (!document || document->form.empty()) return false;
  if (!host_.HasOvoPrivilege2(DocumentViewPrivilege(document->documentType), kOpenAction, false)) return false;
  VorParams params;
  params.AddValue("BILLID", *header_.relevantBillId);
  host_.GlobalCall(kShowBillCommand, document->form, &params);
  return true;
}

}  // namespace qj::vouchers
