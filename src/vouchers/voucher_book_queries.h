// Reading what a book's vouchers are entered against: the voucher types its
// scheme offers, the latest voucher's type, its currencies and its chart.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "data/connection.h"
#include "data/period.h"
#include "vouchers/chart_lookup.h"
#include "vouchers/currencies.h"
#include "vouchers/voucher_types.h"

namespace qj::vouchers {

// The AccountVoucherType rows type scheme `scheme` offers, by ID.
std::vector<VoucherType> SelectSchemeVoucherTypes(data::Connection& db, int scheme);

// The type of the voucher with the highest CREDID in `range`; nothing when the range holds none.
std::optional<std::int64_t> LatestVoucherTypeIn(data::Connection& db, const VoucherIdRange& range);

// The currencies with MONEYID below the aggregate 99, by MONEYID.
std::vector<Currency> SelectVoucherCurrencies(data::Connection& db);

// Every subject's code, name, cash-flow flag, foreign mode, currency and help
// code, in table order; detail flags and full names are left to ChartLookup.
std::vector<ChartSubject> SelectChartSubjects(data::Connection& db);

}  // namespace qj::vouchers
