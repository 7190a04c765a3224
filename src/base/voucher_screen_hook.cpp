#include "base/voucher_screen_hook.h"

namespace qj::base {
namespace {

VoucherScreenOpener& opener() {
  static VoucherScreenOpener instance;
  return instance;
}

}  // namespace

void SetVoucherScreenOpener(VoucherScreenOpener next) { opener() = std::move(next); }

const VoucherScreenOpener& TheVoucherScreenOpener() { return opener(); }

}  // namespace qj::base
