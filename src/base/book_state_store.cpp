#include "base/book_state_store.h"

#include "hostapi/refusal.h"

#include <stdexcept>

#include "data/procedures.h"

namespace qj::base {
namespace {

Period checkedPeriod(std::int64_t year, std::int64_t month) {
  if (month < 1 || month > 12)
    throw RefusalError(ErrorRefusal("月份应为 1 到 12 之间的整数，收到的是 " + std::to_string(month)));
  if (year < 1900 || year > 9999)
    throw RefusalError(ErrorRefusal("年度应为 1900 到 9999 之间的整数，收到的是 " + std::to_string(year)));
  return Period{static_cast<int>(year), static_cast<int>(month)};
}

}  // namespace

void StartAccount(data::Connection& db, std::int64_t year, std::int64_t month) {
  data::OutlayAccountStart(db, checkedPeriod(year, month));
}

void SetAccountBooksState(data::Connection& db, std::int64_t state) {
  if (state < -32768 || state > 32767) throw RefusalError(ErrorRefusal("帐套状态值超出范围：" + std::to_string(state)));
  db.execute("UPDATE AccountState SET STATUS=:state", {{"state", static_cast<long>(state)}});
}

void SetCurrentPeriod(data::Connection& db, const Period& period) {
  db.execute("UPDATE AccountState SET CURRYEAR=:year, CURRMON=:month",
             {{"year", period.year}, {"month", period.month}});
}

AuditFlags ReadAuditFlags(data::Connection& db) {
  const auto row = db.queryOne("SELECT MUSTCHECK, SAMEUSER FROM AccountState");
  if (!row) return {};
  // Other modules write these options as T/F or Y/N, in either case.
  const auto yes = [&](const char* column) {
    const std::string value = row->text(column);
    return !value.empty() && (value[0] == 'T' || value[0] == 't' || value[0] == 'Y' || value[0] == 'y');
  };
  return {yes("MUSTCHECK"), yes("SAMEUSER")};
}

bool IsStartPeriod(data::Connection& db, const AccountBooksData& book) {
  if (book.StartDate.year() != book.CurrYear || book.StartDate.month() != book.CurrMon) return false;
  return !db.queryOne("SELECT CREDID FROM VoucherMaster WHERE POSTFLAG='T' LIMIT 1").has_value();
}

void FixedAssetsStartToBegin(data::Connection& db, std::int64_t year, std::int64_t month) {
  const Period period = checkedPeriod(year, month);
  data::Transaction tx(db);
  db.execute("DELETE FROM FixedAssetsSurplus");
  // An opening row without its card has done no work and accrued no depreciation before the start.
  db.execute(
      "INSERT INTO FixedAssetsSurplus (ID, YEARMON, TOTALWL, USEDVALUE, BASTDEBIT, YASTDEBIT, YASTCREDIT, "
      "BDPRCREDIT, YDPRDEBIT, YDPRCREDIT) "
      "SELECT S.ID, :ym, COALESCE(C.USEDAGO, 0), COALESCE(C.USEDVALUEAGO, 0), COALESCE(S.ASTBALA, 0), "
      "COALESCE(S.ASTDEBIT, 0), "
      "COALESCE(S.ASTCREDIT, 0), COALESCE(S.DPRBALA, 0), COALESCE(S.DPRDEBIT, 0), COALESCE(S.DPRCREDIT, 0) "
      "FROM FixedAssetsStart S LEFT JOIN FixedAssetsCard C ON C.ID=S.ID",
      {{"ym", period.text()}});
  tx.commit();
}

}  // namespace qj::base
