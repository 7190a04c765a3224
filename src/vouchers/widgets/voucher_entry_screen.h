// The voucher entry screen as the package opens it: through SHOWFINANCEFORM
// "VOUCHERVOICE_FRM" on a new voucher, and through GOTOSPECIALCRED on a given one.
#pragma once

#include <string>

#include "package/screen_registry.h"

namespace qj::vouchers {

class VoucherEntryScreen final : public package::Screen {
 public:
  // `credId` "" starts a new voucher; `allowSourceDocuments` lets 单据 show.
  VoucherEntryScreen(std::string credId, bool allowSourceDocuments)
      : credId_(std::move(credId)), allowSourceDocuments_(allowSourceDocuments) {}

  // Shows the screen modally on the attached host; 0 without showing it
  // when it cannot open (its message has been shown).
  int showModal() override;
  // The screen is only ever modal.
  void showModeless() override { showModal(); }
  void bringToFront() override {}
  void dispose() override { delete this; }

 private:
  std::string credId_;
  bool allowSourceDocuments_;
};

// The registration under "VOUCHERVOICE_FRM": a new voucher, 单据 allowed.
package::ScreenMakers VoucherEntryScreenMakers();
// GOTOSPECIALCRED's opener: the screen on that voucher, without 单据.
void ShowVoucherOnScreen(const std::string& credId);

}  // namespace qj::vouchers
