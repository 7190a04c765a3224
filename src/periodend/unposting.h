// Reverse posting (反登帐): every voucher of the current period back to
// unposted, and the period's balances derived afresh from the month before.
#pragma once

#include <cstdint>

#include "base/code_structure.h"
#include "data/connection.h"
#include "hostapi/account_books_data.h"
#include "hostapi/host_services.h"

namespace qj::periodend {

inline constexpr const char* kUnpostingLockedMessage =
    "反登帐需独占帐务系统，现在有其他用户正在使用帐务系统，请其他用户退出使用帐务系统后再反登帐。";
inline constexpr const char* kUnpostedMessage = "本期所有已登帐的凭证都已经被反登帐。";

// Inside the caller's transaction: undoes the booking of the period's posted
// depreciation voucher in the surplus records, marks every voucher of the
// book's current period unposted (audited or not) and rebuilds the period's
// tables (RebuildPeriodBalances). Returns the number of vouchers of the period.
std::int64_t UnpostCurrentPeriod(data::Connection& db, const base::CodeStructure& structure,
                                 const AccountBooksData& book);

// The reverse-posting screen's OK and the command line: under CREDLOCK (a
// refusal is shown under the product caption), in one transaction; only
// after the commit the user is told that the period is unposted. A failure
// rolls everything back and reaches the host's database-error handler.
// True when the period was reverse-posted.
bool RunUnposting(HostServices& host);

}  // namespace qj::periodend
