#include "data/procedures.h"

#include "hostapi/refusal.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace qj::data {

void OutlayAccountStart(Connection& db, const Period& period) {
  if (!period.isValid()) throw RefusalError(ErrorRefusal("启用期间不正确：" + period.text()));
  Transaction tx(db);
  // The vouchers are numbered in the months of the book: a new start would
  // leave them outside it, and posting would never see them.
  if (db.queryOne("SELECT CREDID FROM VoucherMaster LIMIT 1"))
    throw RefusalError(ErrorRefusal("帐套中已有凭证，不能重新设置启用期间"));
  const std::int64_t changed =
      db.execute("UPDATE AccountState SET STARTDATE=:start, CURRYEAR=:year, CURRMON=:month",
                 {{"start", period.firstDay()}, {"year", period.year}, {"month", period.month}});
  if (changed == 0) throw RefusalError(ErrorRefusal("帐套中没有帐套状态记录（AccountState），无法启用"));
  tx.commit();
}

std::int64_t FetchKeyValue(Connection& db, const std::string& tableName) {
  std::string key = tableName;
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
  return IntegerOf(
      db.scalar("INSERT INTO HostKeyValue (KEYNAME, KEYVALUE) VALUES (:key, 1) "
                "ON CONFLICT (KEYNAME) DO UPDATE SET KEYVALUE=HostKeyValue.KEYVALUE+1 RETURNING KEYVALUE",
                {{"key", key}}));
}

}  // namespace qj::data
