#include "periodend/batch_audit.h"

#include <ctime>

#include "base/host_lock.h"
#include "base/product_caption.h"
#include "base/screen_work.h"
#include "vouchers/save_guards.h"

namespace qj::periodend {
namespace {

std::string localNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[20] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

Refusal BatchAuditBusyRefusal() { return {"其他用户正在进行保存凭证操作，请稍后再成批审核。", base::kProductCaption}; }

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

BatchAuditOutcome BatchAudit(HostServices& host, const AuditFilter& filter, bool listEmpty) {
  BatchAuditOutcome outcome;
  if (listEmpty || !host.HasOvoPrivilege2(kAuditFunction, kRunAction, true)) return outcome;
  base::HostLock lock(host, base::kVoucherSaveLock);
  if (!lock) {
    base::ShowUnderProductCaption(host, BatchAuditBusyRefusal());
    outcome.result = BatchAuditResult::Refused;
    return outcome;
  }
  if (!Confirm(host, kBatchAuditQuestion)) {
    outcome.result = BatchAuditResult::Declined;
    return outcome;
  }
  const bool done = base::ReportFailures(host, [&] {
    const base::AuditFlags flags = LoadAuditOptions(host);
    data::Connection& db = host.FindStartupDB();
    data::Transaction tx(db);
    outcome.audited = StampVouchers(db, filter, host.asUserName(), flags.sameUser, localNow());
    tx.commit();
  });
  if (!done) {
    outcome.result = BatchAuditResult::Failed;
    outcome.audited = 0;
    return outcome;
  }
  outcome.result = BatchAuditResult::Done;
  base::ReportFailures(host, [&] { outcome.stamped = QueryStampedVouchers(host.FindStartupDB(), filter.period); });
  return outcome;
}

}  // namespace qj::periodend
