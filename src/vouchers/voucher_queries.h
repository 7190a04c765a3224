// Reading a stored voucher for the entry screen, the stored vouchers before
// and after one in identifier order, and the fixed-asset card behind one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "vouchers/chart_lookup.h"
#include "vouchers/currencies.h"
#include "vouchers/entry_checks.h"
#include "vouchers/voucher_header.h"
#include "vouchers/voucher_line.h"

namespace qj::vouchers {

struct StoredVoucher {
  VoucherHeader header;
  std::vector<VoucherLine> lines;  // by FENLUNO
  // Some stored amount has more digits than an amount cell holds; its cell shows empty.
  bool oversizedAmount = false;
};

// The voucher with this CREDID, its lines completed from the chart (full
// name, foreign mode, cash-flow flag) and the currency list; nothing when
// there is no such header row.
std::optional<StoredVoucher> ReadVoucher(data::Connection& db, const std::string& credId, const ChartLookup& chart,
                                         const Currencies& currencies);

// The audited and posted flags as stored now.
StoredFlags ReadStoredFlags(data::Connection& db, const std::string& credId);

// The nearest stored CREDID below or above `credId`, over the whole table.
std::optional<std::string> StoredCredIdBefore(data::Connection& db, const std::string& credId);
std::optional<std::string> StoredCredIdAfter(data::Connection& db, const std::string& credId);

// A FixedAssetsCard row as the vouchers of fixed-asset documents see it.
struct FixedAssetCard {
  bool cleared = false;  // CLEARFLAG
};

// The FixedAssetsCard with this ID; nothing when there is no such card.
std::optional<FixedAssetCard> ReadFixedAssetCard(data::Connection& db, std::int64_t cardId);

}  // namespace qj::vouchers
