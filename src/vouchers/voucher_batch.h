// Storing many new vouchers at once (an import, generated demo data): one
// transaction under the save lock, identifiers and numbers handed out in
// order while the lock is held.
#pragma once

#include <optional>
#include <vector>

#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "vouchers/voucher_draft.h"

namespace qj::vouchers {

// Numbers the vouchers in their order — each month's identifiers continue
// after its highest stored one, each type's numbers within the month after
// its highest stored one — and writes them all, or none. On success the
// headers carry their CREDID, CREDNO and CREDCODE. Refused, with nothing
// stored: the add or edit right missing, the save lock busy (product
// caption), a month's identifiers used up. A database error rolls everything
// back and propagates.
std::optional<Refusal> StoreNewVouchers(HostServices& host, std::vector<CheckedVoucher>& vouchers);
// The numbering and writing of StoreNewVouchers, for a caller that has
// checked the rights and holds the save lock itself.
std::optional<Refusal> WriteNewVouchers(data::Connection& db, std::vector<CheckedVoucher>& vouchers);

}  // namespace qj::vouchers
