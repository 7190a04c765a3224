// The period tables derived from the month before: Balance, ProfitAndLoss and
// the fixed-asset surplus records rolled into the next month, the start
// period built from the opening data, and the depreciation workload of a month.
#pragma once

#include "base/code_structure.h"
#include "data/connection.h"
#include "data/period.h"
#include "hostapi/account_books_data.h"

namespace qj::balances {

// Source kind (VoucherMaster.AccountVoucherType) of the fixed-asset module's
// depreciation voucher; its RELEVANTBILLID is year * 100 + month.
inline constexpr int kDepreciationVoucherKind = 201;

// Whether the month has its depreciation voucher (posted or not).
bool HasDepreciationVoucher(data::Connection& db, const Period& period);

// Replaces the next month's Balance rows by the month's ending balances: E
// becomes the next month's B and E; Y and YB are carried, except into January,
// where Y starts empty and YB is the December ending balance. Keys whose
// carried figures are all zero get no row; zero figures stay empty and the
// period movements are left empty.
void RollBalancesForward(data::Connection& db, const Period& from);

// Replaces the next month's ProfitAndLoss rows by rows with empty period
// figures and the year figures of `from`; a January starts the year empty.
void RollProfitAndLoss(data::Connection& db, const Period& from);

// Replaces the next month's fixed-asset surplus records by the records of
// `from` carried forward: work and depreciation added to the totals, the
// asset and depreciation movements to the opening balances; the year
// movements are carried, or start at 0 in January.
void RollFixedAssetSurplus(data::Connection& db, const Period& from);

// When the month has its depreciation voucher, writes the month's LoadWork
// (rate, depreciation, work) into the surplus records with depreciation above
// 0, adding the missing records.
void ApplyDepreciationWorkload(data::Connection& db, const Period& period);

// The start period from the opening data: empties Balance and ProfitAndLoss;
// the opening rows below the grand total with some figure become the period's
// Balance rows (YRAW/Y -> YBRAW/YB, MRAW/M -> BRAW/B and ERAW/E, RAW/plain
// DEBIT and CREDIT -> YRAW/Y); the profit and loss realised before the start
// month (PLHAVEDONE of local class-5 detail rows) goes to the year figures of
// the subject and its ancestors; and the fixed-asset opening transfer.
void BuildStartPeriodLedger(data::Connection& db, const base::CodeStructure& structure, const Period& period);

// Deletes the month's rows of Balance, ProfitAndLoss and the fixed-asset
// surplus records: a reopened month's successor gives them up.
void DeleteMonthPeriodRows(data::Connection& db, const Period& month);

// The start period's ProfitAndLoss rows afresh from the opening data (the
// profit and loss realised before the start month), the Balance rows left
// as they are.
void RebuildStartProfitAndLoss(data::Connection& db, const base::CodeStructure& structure, const Period& period);

// Derives a month's period tables afresh, as they stand before anything is
// posted: the book's start period from the opening data, any later month
// rolled from the month before; then the month's depreciation workload.
// Runs in one transaction (a savepoint inside the caller's).
void RebuildPeriodBalances(data::Connection& db, const base::CodeStructure& structure, const AccountBooksData& book,
                           const Period& period);

}  // namespace qj::balances
