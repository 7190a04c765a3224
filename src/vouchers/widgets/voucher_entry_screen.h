// The voucher entry screen as the package opens it: through SHOWFINANCEFORM
// "VOUCHERVOICE_FRM" on a new voucher, and through GOTOSPECIALCRED on a given one.
#pragma once

#include <string>

#include "base/screen_registry.h"

namespace qj::vouchers {

class VoucherEntryScreen final : public base::Screen {
 public:
  // `credId` "" starts a new voucher; `allowSourceDocuments` lets 单据 show;
  // `auditMode` is the audit list's way in (changes only as the audit allows).
  VoucherEntryScreen(HostServices& host, std::string credId, bool allowSourceDocuments, bool auditMode = false)
      : host_(host), credId_(std::move(credId)), allowSourceDocuments_(allowSourceDocuments), auditMode_(auditMode) {}

  // Shows the screen modally; 0 without showing it
  // when it cannot open (its message has been shown).
  int showModal() override;
  // The screen is only ever modal.
  void showModeless() override { showModal(); }
  void bringToFront() override {}
  void dispose() override { delete this; }

 private:
  HostServices& host_;
  std::string credId_;
  bool allowSourceDocuments_;
  bool auditMode_;
};

// The registration under "VOUCHERVOICE_FRM": a new voucher, 单据 allowed.
base::ScreenMakers VoucherEntryScreenMakers();
// GOTOSPECIALCRED's opener: the screen on that voucher, without 单据.
void ShowVoucherOnScreen(HostServices& host, const std::string& credId);
// The audit list's 凭证审核: the screen on that voucher in audit mode, modal.
void AuditVoucherOnScreen(HostServices& host, const std::string& credId);

}  // namespace qj::vouchers
