#include "periodend/audit_store.h"

namespace qj::periodend {

std::int64_t StampVouchers(data::Connection& db, const AuditFilter& filter, const std::string& user, bool makerMayAudit,
                           const std::string& now) {
  const std::string pattern = filter.credIdPattern();
  db.execute("UPDATE VoucherMaster SET UPDATETIME=NULL WHERE CREDID LIKE :pattern AND UPDATETIME IS NOT NULL",
             {{"pattern", pattern}});
  std::string sql =
      "UPDATE VoucherMaster SET UPDATETIME=:now, CHECKFLAG='T', BILLCHECK=:user "
      "WHERE CREDID LIKE :pattern AND CREDCODE BETWEEN :from AND :to "
      "AND (upper(COALESCE(CHECKFLAG, 'F'))='F' OR upper(CHECKFLAG)=:included)";
  data::Params params{{"now", now},          {"user", user},
                      {"pattern", pattern},  {"from", filter.fromCode},
                      {"to", filter.toCode}, {"included", filter.includeAudited ? "T" : "F"}};
  if (filter.typeId) {
    sql += " AND AccountVoucherTypeID=:type";
    params.push_back({"type", *filter.typeId});
  }
  if (!makerMayAudit) {
    // A voucher without a maker is nobody's own.
    sql += " AND COALESCE(BILLMAKER, '')<>:maker";
    params.push_back({"maker", user});
  }
  return db.execute(sql, params);
}

bool AnyPostedAudited(data::Connection& db, const std::string& firstCredId, const std::string& lastCredId) {
  return data::IntegerOf(db.scalar("SELECT COUNT(*) FROM VoucherMaster WHERE CREDID>=:first AND CREDID<=:last "
                                   "AND CHECKFLAG='T' AND POSTFLAG='T'",
                                   {{"first", firstCredId}, {"last", lastCredId}})) > 0;
}

std::int64_t UnstampUnposted(data::Connection& db, const std::string& firstCredId, const std::string& lastCredId) {
  return db.execute(
      "UPDATE VoucherMaster SET BILLCHECK='', CHECKFLAG='F' WHERE CREDID>=:first AND CREDID<=:last "
      "AND CHECKFLAG='T' AND COALESCE(POSTFLAG, 'F')='F'",
      {{"first", firstCredId}, {"last", lastCredId}});
}

}  // namespace qj::periodend
