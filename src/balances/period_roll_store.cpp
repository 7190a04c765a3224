#include "balances/period_roll_store.h"

#include <string>
#include <utility>
#include <vector>

#include "base/book_state_store.h"

namespace qj::balances {
namespace {

// A column of the next month's row and the column of this month's row it takes.
using Carry = std::pair<const char*, const char*>;

// Column lists for "INSERT INTO t (targets) SELECT sources"; each source is
// written through NULLIF so that a zero leaves the new column empty.
std::pair<std::string, std::string> carriedColumns(const std::vector<Carry>& carries) {
  std::string targets;
  std::string sources;
  for (const auto& [target, source] : carries) {
    targets.append(", ").append(target);
    sources.append(", NULLIF(").append(source).append(", 0)");
  }
  return {targets, sources};
}

// "COALESCE(a, 0)=0 AND ..." over the distinct source columns.
std::string allZero(const std::vector<const char*>& columns) {
  std::string out;
  for (const char* column : columns) {
    if (!out.empty()) out += " AND ";
    out.append("COALESCE(").append(column).append(", 0)=0");
  }
  return out;
}

void buildOpeningBalances(data::Connection& db, const Period& period) {
  db.execute(
      "INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, YBRAWDEBIT, YBRAWCREDIT, BRAWDEBIT, BRAWCREDIT, ERAWDEBIT, "
      "ERAWCREDIT, YRAWDEBIT, YRAWCREDIT, YBDEBIT, YBCREDIT, BDEBIT, BCREDIT, EDEBIT, ECREDIT, YDEBIT, YCREDIT) "
      "SELECT :ym, MONEYID, SUBJECTID, YRAWDEBIT, YRAWCREDIT, MRAWDEBIT, MRAWCREDIT, MRAWDEBIT, MRAWCREDIT, RAWDEBIT, "
      "RAWCREDIT, YDEBIT, YCREDIT, MDEBIT, MCREDIT, MDEBIT, MCREDIT, DEBIT, CREDIT FROM SubjectStartData "
      "WHERE MNYIDSUBJECTID<:below AND MONEYID IS NOT NULL AND SUBJECTID IS NOT NULL AND NOT (" +
          allZero({"YRAWDEBIT", "YRAWCREDIT", "MRAWDEBIT", "MRAWCREDIT", "RAWDEBIT", "RAWCREDIT", "YDEBIT", "YCREDIT",
                   "MDEBIT", "MCREDIT", "DEBIT", "CREDIT"}) +
          ")",
      {{"ym", period.text()}, {"below", "99600"}});
}

void buildOpeningProfitAndLoss(data::Connection& db, const base::CodeStructure& structure, const Period& period) {
  // A debit-side subject books a positive amount as debit, a credit-side one as credit.
  const std::string source =
      " CASE WHEN (DCFLAG='T')=(PLHAVEDONE>0) THEN abs(PLHAVEDONE) ELSE 0 END AS YD, "
      "CASE WHEN (DCFLAG='T')=(PLHAVEDONE>0) THEN 0 ELSE abs(PLHAVEDONE) END AS YC FROM SubjectStartData "
      "WHERE SUBJECTID>:from AND SUBJECTID<:to AND DETAILFLAG='T' AND MONEYID=0 AND COALESCE(PLHAVEDONE, 0)<>0";
  data::Params params{{"ym", period.text()}, {"from", "5"}, {"to", "6"}};
  std::string rows = "SELECT SUBJECTID," + source;
  for (std::size_t level = 0; level < structure.cumulativeLengths().size(); ++level) {
    const std::string length = "l" + std::to_string(level);
    rows.append(" UNION ALL SELECT substr(SUBJECTID, 1, :").append(length).append("),").append(source);
    rows.append(" AND length(SUBJECTID)>:").append(length);
    params.push_back({length, structure.cumulativeLengths()[level]});
  }
  db.execute(
      "INSERT INTO ProfitAndLoss (SUBJECTID, YEARMON, YDEBIT, YCREDIT) SELECT SUBJECTID, :ym, SUM(YD), SUM(YC) "
      "FROM (" +
          rows + ") P GROUP BY SUBJECTID",
      params);
}

}  // namespace

bool HasDepreciationVoucher(data::Connection& db, const Period& period) {
  return db
      .queryOne("SELECT CREDID FROM VoucherMaster WHERE AccountVoucherType=:kind AND RELEVANTBILLID=:bill LIMIT 1",
                {{"kind", kDepreciationVoucherKind}, {"bill", period.year * 100 + period.month}})
      .has_value();
}

void RollBalancesForward(data::Connection& db, const Period& from) {
  const Period next = from.next();
  const bool newYear = next.month == 1;
  std::vector<Carry> carries{{"BRAWDEBIT", "ERAWDEBIT"},   {"BRAWCREDIT", "ERAWCREDIT"}, {"ERAWDEBIT", "ERAWDEBIT"},
                             {"ERAWCREDIT", "ERAWCREDIT"}, {"BDEBIT", "EDEBIT"},         {"BCREDIT", "ECREDIT"},
                             {"EDEBIT", "EDEBIT"},         {"ECREDIT", "ECREDIT"}};
  std::vector<const char*> carried{"EDEBIT", "ECREDIT", "ERAWDEBIT", "ERAWCREDIT"};
  if (newYear) {
    // The year starts from December's ending balance, with no movements yet.
    carries.insert(
        carries.end(),
        {{"YBRAWDEBIT", "ERAWDEBIT"}, {"YBRAWCREDIT", "ERAWCREDIT"}, {"YBDEBIT", "EDEBIT"}, {"YBCREDIT", "ECREDIT"}});
  } else {
    carries.insert(carries.end(), {{"YBRAWDEBIT", "YBRAWDEBIT"},
                                   {"YBRAWCREDIT", "YBRAWCREDIT"},
                                   {"YRAWDEBIT", "YRAWDEBIT"},
                                   {"YRAWCREDIT", "YRAWCREDIT"},
                                   {"YBDEBIT", "YBDEBIT"},
                                   {"YBCREDIT", "YBCREDIT"},
                                   {"YDEBIT", "YDEBIT"},
                                   {"YCREDIT", "YCREDIT"}});
    carried.insert(carried.end(), {"YBRAWDEBIT", "YBRAWCREDIT", "YRAWDEBIT", "YRAWCREDIT", "YBDEBIT", "YBCREDIT",
                                   "YDEBIT", "YCREDIT"});
  }
  const auto [targets, sources] = carriedColumns(carries);
  const data::Params params{{"next", next.text()}, {"from", from.text()}};
  db.execute("DELETE FROM Balance WHERE YEARMON=:next", {params[0]});
  db.execute("INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID" + targets + ") SELECT :next, MONEYID, SUBJECTID" +
                 sources + " FROM Balance WHERE YEARMON=:from AND NOT (" + allZero(carried) + ")",
             params);
}

void RollProfitAndLoss(data::Connection& db, const Period& from) {
  const Period next = from.next();
  const data::Params params{{"next", next.text()}, {"from", from.text()}};
  db.execute("DELETE FROM ProfitAndLoss WHERE YEARMON=:next", {params[0]});
  // Every subject keeps its row; the period figures start empty, and so do
  // the year figures of a new year.
  const auto [targets, sources] = next.month == 1 ? std::pair<std::string, std::string>{}
                                                  : carriedColumns({{"YDEBIT", "YDEBIT"}, {"YCREDIT", "YCREDIT"}});
  db.execute("INSERT INTO ProfitAndLoss (SUBJECTID, YEARMON" + targets + ") SELECT SUBJECTID, :next" + sources +
                 " FROM ProfitAndLoss WHERE YEARMON=:from",
             params);
}

void RollFixedAssetSurplus(data::Connection& db, const Period& from) {
  const Period next = from.next();
  const data::Params params{{"next", next.text()}, {"from", from.text()}};
  db.execute("DELETE FROM FixedAssetsSurplus WHERE YEARMON=:next", {params[0]});
  const std::string yearMovements = next.month == 1
                                        ? "0, 0, 0, 0"
                                        : "COALESCE(YASTDEBIT, 0), COALESCE(YASTCREDIT, 0), COALESCE(YDPRDEBIT, 0), "
                                          "COALESCE(YDPRCREDIT, 0)";
  db.execute(
      "INSERT INTO FixedAssetsSurplus (ID, YEARMON, CURRWL, DEPRVALUE, TOTALWL, USEDVALUE, BASTDEBIT, BDPRCREDIT, "
      "YASTDEBIT, YASTCREDIT, YDPRDEBIT, YDPRCREDIT) "
      "SELECT ID, :next, 0, 0, COALESCE(TOTALWL, 0)+COALESCE(CURRWL, 0), COALESCE(USEDVALUE, 0)+COALESCE(DEPRVALUE, "
      "0), "
      "COALESCE(BASTDEBIT, 0)+COALESCE(ASTDEBIT, 0)-COALESCE(ASTCREDIT, 0), "
      "COALESCE(BDPRCREDIT, 0)+COALESCE(DPRCREDIT, 0)-COALESCE(DPRDEBIT, 0), " +
          yearMovements + " FROM FixedAssetsSurplus WHERE YEARMON=:from",
      params);
}

void ApplyDepreciationWorkload(data::Connection& db, const Period& period) {
  if (!HasDepreciationVoucher(db, period)) return;
  db.execute(
      "INSERT INTO FixedAssetsSurplus (ID, YEARMON, DEPRRATE, DEPRVALUE, CURRWL) "
      "SELECT ID, YEARMON, DEPRRATE, DEPRVALUE, LOADWORK FROM LoadWork WHERE YEARMON=:ym AND DEPRVALUE>0 "
      "ON CONFLICT (ID, YEARMON) DO UPDATE SET DEPRRATE=excluded.DEPRRATE, DEPRVALUE=excluded.DEPRVALUE, "
      "CURRWL=excluded.CURRWL",
      {{"ym", period.text()}});
}

void BuildStartPeriodLedger(data::Connection& db, const base::CodeStructure& structure, const Period& period) {
  data::Transaction tx(db);
  db.execute("DELETE FROM Balance");
  db.execute("DELETE FROM ProfitAndLoss");
  buildOpeningBalances(db, period);
  buildOpeningProfitAndLoss(db, structure, period);
  base::FixedAssetsStartToBegin(db, period.year, period.month);
  tx.commit();
}

void DeleteMonthPeriodRows(data::Connection& db, const Period& month) {
  data::Transaction tx(db);
  for (const char* table : {"ProfitAndLoss", "Balance", "FixedAssetsSurplus"})
    db.execute(std::string("DELETE FROM ") + table + " WHERE YEARMON=:ym", {{"ym", month.text()}});
  tx.commit();
}

void RebuildStartProfitAndLoss(data::Connection& db, const base::CodeStructure& structure, const Period& period) {
  data::Transaction tx(db);
  db.execute("DELETE FROM ProfitAndLoss WHERE YEARMON=:ym", {{"ym", period.text()}});
  buildOpeningProfitAndLoss(db, structure, period);
  tx.commit();
}

void RebuildPeriodBalances(data::Connection& db, const base::CodeStructure& structure, const AccountBooksData& book,
                           const Period& period) {
  data::Transaction tx(db);
  if (period == Period::ofDate(book.StartDate)) {
    BuildStartPeriodLedger(db, structure, period);
  } else {
    const Period previous = period.previous();
    RollProfitAndLoss(db, previous);
    RollBalancesForward(db, previous);
    RollFixedAssetSurplus(db, previous);
  }
  ApplyDepreciationWorkload(db, period);
  tx.commit();
}

}  // namespace qj::balances
