// The fixed-asset surplus records (FixedAssetsSurplus) as posting and reverse
// posting move them: one record per asset and month.
#pragma once

#include <cstdint>

#include "data/connection.h"
#include "data/money.h"
#include "data/period.h"

namespace qj::balances {

// Creates the asset's record of the month when it has none.
void EnsureSurplusRecord(data::Connection& db, std::int64_t assetId, const Period& month);
// Adds a line's amounts to the record's asset movements (month and year).
void AddAssetMovement(data::Connection& db, std::int64_t assetId, const Period& month, Money debit, Money credit);
// Adds a line's amounts to the record's depreciation movements (month and year).
void AddDepreciationMovement(data::Connection& db, std::int64_t assetId, const Period& month, Money debit,
                             Money credit);
// An added asset starts from its card: the work and the depreciation so far.
void StartFromAssetCard(data::Connection& db, std::int64_t assetId, const Period& month);
// Books the month's depreciation of every record, or takes it back.
void BookMonthDepreciation(data::Connection& db, const Period& month);
void UnbookMonthDepreciation(data::Connection& db, const Period& month);

}  // namespace qj::balances
