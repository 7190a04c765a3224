#include "periodend/audit_store.h"

namespace qj::periodend {

std::int64_t StampVouchers(data::Connection& db, const AuditFilter& filter, const std::string& user, bool makerMayAudit,
                           const std::string& now) {
  // The vouchers this batch audits, under the month's identifier pattern.
  std::string chosen =
      "CREDCODE BETWEEN :from AND :to AND (upper(COALESCE(CHECKFLAG, 'F'))='F' OR upper(CHECKFLAG)=:included)";
  data::Params params{{"pattern", filter.credIdPattern()},
                      {"from", filter.fromCode},
                      {"to", filter.toCode},
                      {"included", filter.includeAudited ? "T" : "F"}};
  if (filter.typeId) {
    chosen += " AND AccountVoucherTypeID=:type";
    params.push_back({"type", *filter.typeId});
  }
  if (!makerMayAudit) {
    // A voucher without a maker is nobody's own.
    chosen += " AND COALESCE(BILLMAKER, '')<>:maker";
    params.push_back({"maker", user});
  }
  // The previous batch's marker goes from the vouchers this batch does not
  // stamp again; the others are stamped over it, so no row is written twice.
  db.execute("UPDATE VoucherMaster SET UPDATETIME=NULL WHERE CREDID LIKE :pattern AND UPDATETIME IS NOT NULL AND (" +
                 chosen + ") IS NOT TRUE",
             params);
  params.push_back({"now", now});
  params.push_back({"user", user});
  return db.execute(
      "UPDATE VoucherMaster SET UPDATETIME=:now, CHECKFLAG='T', BILLCHECK=:user WHERE CREDID LIKE :pattern AND " +
          chosen,
      params);
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
