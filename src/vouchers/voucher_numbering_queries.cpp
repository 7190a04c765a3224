#include "vouchers/voucher_numbering_queries.h"

namespace qj::vouchers {

std::optional<std::string> NextCredId(data::Connection& db, const Period& period) {
  const VoucherIdRange range = MonthVoucherRange(period);
  const auto highest =
      db.queryOne("SELECT CREDID FROM VoucherMaster WHERE CREDID BETWEEN :first AND :last ORDER BY CREDID DESC LIMIT 1",
                  {{"first", range.first}, {"last", range.last}});
  std::int64_t serial = 1;
  if (highest) serial = std::stoll(highest->text("CREDID").substr(6, 6)) + 1;
  if (serial > kMaxVoucherSerial) return std::nullopt;
  return period.text() + IntToStr(serial, 6);
}

std::int64_t NextTypeCode(data::Connection& db, const Period& period, std::int64_t typeId,
                          const std::string& storedCredId) {
  const std::string month = period.text();
  if (storedCredId.size() == 12 && storedCredId.starts_with(month)) {
    const auto own = db.queryOne("SELECT CREDCODE FROM VoucherMaster WHERE CREDID=:id AND AccountVoucherTypeID=:type",
                                 {{"id", storedCredId}, {"type", typeId}});
    if (own && !own->isNull("CREDCODE")) return own->integer("CREDCODE");
  }
  // The month is matched on the identifier's first six characters, which the
  // (type, month, number) index answers with one seek.
  const auto highest = db.queryOne(
      "SELECT CREDCODE FROM VoucherMaster WHERE AccountVoucherTypeID=:type AND substr(CREDID, 1, 6)=:ym "
      "AND CREDCODE IS NOT NULL ORDER BY CREDCODE DESC LIMIT 1",
      {{"type", typeId}, {"ym", month}});
  return highest ? highest->integer("CREDCODE") + 1 : 1;
}

bool CredIdExists(data::Connection& db, const std::string& credId) {
  return db.queryOne("SELECT 1 AS found FROM VoucherMaster WHERE CREDID=:id", {{"id", credId}}).has_value();
}

}  // namespace qj::vouchers
