// The book's start, state and audit options.
#pragma once

#include <cstdint>

#include "data/connection.h"
#include "data/period.h"
#include "hostapi/account_books_data.h"

namespace qj::base {

// Starts the book in the given month; throws RefusalError (before any SQL)
// when the year or month is out of range.
void StartAccount(data::Connection& db, std::int64_t year, std::int64_t month);

void SetAccountBooksState(data::Connection& db, std::int64_t state);
// Makes the month the book's current period (AccountState CURRYEAR, CURRMON).
void SetCurrentPeriod(data::Connection& db, const Period& period);

struct AuditFlags {
  bool mustCheck = false;
  bool sameUser = false;
};
AuditFlags ReadAuditFlags(data::Connection& db);

// True while the book is in its start period and no voucher is posted: the
// only time opening data may change.
bool IsStartPeriod(data::Connection& db, const AccountBooksData& book);

// Builds the fixed-asset module's first-period rows from its opening values,
// replacing whatever was there, in one transaction.
void FixedAssetsStartToBegin(data::Connection& db, std::int64_t year, std::int64_t month);

}  // namespace qj::base
