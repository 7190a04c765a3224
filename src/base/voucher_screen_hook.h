// GOTOSPECIALCRED shows the voucher entry screen on a stored voucher; the
// screen is Qt, which the rules do not link, so the screens hand the opener
// over when the package loads.
#pragma once

#include <functional>
#include <string>

#include "hostapi/host_services.h"

namespace qj::base {

// The name the host knows the voucher entry screen by.
inline constexpr const char* kVoucherScreenName = "VoucherVoice_Frm";

// Shows the voucher entry screen modally on the voucher with that identifier.
using VoucherScreenOpener = std::function<void(HostServices&, const std::string& credId)>;

// An empty opener (a build or host without screens) leaves GOTOSPECIALCRED doing nothing.
void SetVoucherScreenOpener(VoucherScreenOpener opener);
[[nodiscard]] const VoucherScreenOpener& TheVoucherScreenOpener();

}  // namespace qj::base
