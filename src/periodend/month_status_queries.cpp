#include "periodend/month_status_queries.h"

#include "periodend/carry_forward.h"

namespace qj::periodend {

MonthVoucherCounts CountMonthVouchers(data::Connection& db, const Period& month, bool mustCheck) {
  const auto row = db.queryOne(
      "SELECT COUNT(*) AS VOUCHERS, "
      "COALESCE(SUM(CASE WHEN CHECKFLAG='T' THEN 0 ELSE 1 END), 0) AS UNAUDITED, "
      "COALESCE(SUM(CASE WHEN POSTFLAG='T' THEN 0 ELSE 1 END), 0) AS UNPOSTED, "
      "COALESCE(SUM(CASE WHEN POSTFLAG='T' OR CHECKFLAG='T' THEN 0 ELSE 1 END), 0) AS UNPOSTEDUNAUDITED, "
      "COALESCE(SUM(CASE WHEN POSTFLAG='T' THEN 0 WHEN CHECKFLAG='T' OR :mustCheck='F' THEN 1 ELSE 0 END), 0) "
      "AS POSTABLE, "
      "COALESCE(SUM(CASE WHEN AccountVoucherType=:carryKind THEN 1 ELSE 0 END), 0) AS CARRIED "
      "FROM VoucherMaster WHERE CREDID>:first AND CREDID<=:last",
      {{"mustCheck", mustCheck ? "T" : "F"},
       {"carryKind", kCarryForwardKind},
       {"first", month.text() + "000000"},
       {"last", month.text() + "999999"}});
  MonthVoucherCounts counts;
  if (!row) return counts;
  counts.vouchers = row->integer("VOUCHERS");
  counts.unaudited = row->integer("UNAUDITED");
  counts.unposted = row->integer("UNPOSTED");
  counts.unpostedUnaudited = row->integer("UNPOSTEDUNAUDITED");
  counts.postable = row->integer("POSTABLE");
  counts.carried = row->integer("CARRIED") > 0;
  return counts;
}

bool AnyUnpostedVoucher(data::Connection& db, const Period& month) {
  const VoucherIdRange range = MonthVoucherRange(month);
  return db
      .queryOne(
          "SELECT 1 AS ANY FROM VoucherMaster WHERE CREDID BETWEEN :first AND :last AND "
          "COALESCE(POSTFLAG, 'F')<>'T' LIMIT 1",
          {{"first", range.first}, {"last", range.last}})
      .has_value();
}

}  // namespace qj::periodend
