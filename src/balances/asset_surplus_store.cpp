#include "balances/asset_surplus_store.h"

namespace qj::balances {
namespace {

data::Params recordKey(std::int64_t assetId, const Period& month) { return {{"id", assetId}, {"ym", month.text()}}; }

data::Params amounts(std::int64_t assetId, const Period& month, Money debit, Money credit) {
  data::Params params = recordKey(assetId, month);
  params.push_back({"debit", TruncateCurrency(debit)});
  params.push_back({"credit", TruncateCurrency(credit)});
  return params;
}

}  // namespace

void EnsureSurplusRecord(data::Connection& db, std::int64_t assetId, const Period& month) {
  const data::Params key = recordKey(assetId, month);
  if (!db.queryOne("SELECT ID FROM FixedAssetsSurplus WHERE ID=:id AND YEARMON=:ym", key))
    db.execute("INSERT INTO FixedAssetsSurplus (ID, YEARMON) VALUES (:id, :ym)", key);
}

void AddAssetMovement(data::Connection& db, std::int64_t assetId, const Period& month, Money debit, Money credit) {
  db.execute(
      "UPDATE FixedAssetsSurplus SET ASTDEBIT=COALESCE(ASTDEBIT, 0)+:debit, YASTDEBIT=COALESCE(YASTDEBIT, 0)+:debit, "
      "ASTCREDIT=COALESCE(ASTCREDIT, 0)+:credit, YASTCREDIT=COALESCE(YASTCREDIT, 0)+:credit "
      "WHERE ID=:id AND YEARMON=:ym",
      amounts(assetId, month, debit, credit));
}

void AddDepreciationMovement(data::Connection& db, std::int64_t assetId, const Period& month, Money debit,
                             Money credit) {
  db.execute(
      "UPDATE FixedAssetsSurplus SET DPRDEBIT=COALESCE(DPRDEBIT, 0)+:debit, YDPRDEBIT=COALESCE(YDPRDEBIT, 0)+:debit, "
      "DPRCREDIT=COALESCE(DPRCREDIT, 0)+:credit, YDPRCREDIT=COALESCE(YDPRCREDIT, 0)+:credit "
      "WHERE ID=:id AND YEARMON=:ym",
      amounts(assetId, month, debit, credit));
}

void StartFromAssetCard(data::Connection& db, std::int64_t assetId, const Period& month) {
  db.execute(
      "UPDATE FixedAssetsSurplus SET TOTALWL=(SELECT USEDAGO FROM FixedAssetsCard WHERE ID=:id), CURRWL=0, "
      "USEDVALUE=(SELECT USEDVALUEAGO FROM FixedAssetsCard WHERE ID=:id) WHERE ID=:id AND YEARMON=:ym",
      recordKey(assetId, month));
}

void BookMonthDepreciation(data::Connection& db, const Period& month) {
  db.execute(
      "UPDATE FixedAssetsSurplus SET DPRCREDIT=DEPRVALUE, YDPRCREDIT=COALESCE(YDPRCREDIT, 0)+DEPRVALUE "
      "WHERE YEARMON=:ym AND COALESCE(DEPRVALUE, 0)<>0",
      {{"ym", month.text()}});
}

void UnbookMonthDepreciation(data::Connection& db, const Period& month) {
  db.execute(
      "UPDATE FixedAssetsSurplus SET DPRCREDIT=0, YDPRCREDIT=COALESCE(YDPRCREDIT, 0)-DEPRVALUE "
      "WHERE YEARMON=:ym AND COALESCE(DEPRVALUE, 0)<>0",
      {{"ym", month.text()}});
}

}  // namespace qj::balances
