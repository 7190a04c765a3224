#include "periodend/batch_audit.h"

#include <ctime>

#include "base/host_lock.h"
#include "base/product_caption.h"
#include "base/screen_work.h"
#include "periodend/audit_store.h"
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

BatchAuditOutcome BatchAudit(HostServices& host, const AuditFilter& filter, bool listEmpty) {
  BatchAuditOutcome outcome;
  if (listEmpty || !host.HasOvoPrivilege2(kAuditFunction, kRunAction, true)) return outcome;
  // A closed month's vouchers stay as they were closed, auditors included.
  const AccountBooksData& book = host.accountBooksData();
  if (filter.period < Period{book.CurrYear, book.CurrMon}) {
    Show(host, {kClosedMonthAudit, caption::Info});
    outcome.result = BatchAuditResult::Refused;
    return outcome;
  }
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
