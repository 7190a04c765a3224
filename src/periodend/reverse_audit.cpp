#include "periodend/reverse_audit.h"

#include "base/host_lock.h"
#include "base/product_caption.h"
#include "base/screen_work.h"
#include "periodend/audit_store.h"
#include "vouchers/save_guards.h"

namespace qj::periodend {

ReverseAuditRange DefaultReverseAuditRange(const AccountBooksData& book) {
  return {book.CurrYear, book.CurrMon, 1, kLastVoucherNumber};
}

std::optional<Refusal> ReverseAuditRangeRefusal(const ReverseAuditRange& range) {
  if (range.year < kFirstFilterYear || range.year > kLastFilterYear) return Refusal{"会计年度应在 1970 到 2100 之间。"};
  if (range.month < 1 || range.month > 12) return Refusal{"期间应在 1 到 12 之间。"};
  if (range.fromNo < 1 || range.fromNo > kLastVoucherNumber || range.toNo < 1 || range.toNo > kLastVoucherNumber)
    return Refusal{"凭证编号应在 1 到 999999 之间。"};
  return std::nullopt;
}

Refusal ReverseAuditBusyRefusal() { return {"其他用户正在进行保存凭证操作，请稍后再反审核。", base::kProductCaption}; }

Refusal PostedInRangeRefusal() {
  return {"有已经登帐的记帐凭证存在，请先进行反登帐,再进行反审核！", caption::Question, msgbox::Ok};
}

ReverseAuditOutcome ReverseAudit(HostServices& host, const ReverseAuditRange& range) {
  ReverseAuditOutcome outcome;
  base::HostLock lock(host, base::kVoucherSaveLock);
  if (!lock) {
    base::ShowUnderProductCaption(host, ReverseAuditBusyRefusal());
    return outcome;
  }
  const std::string period = ConvYearMon(range.year, range.month);
  const std::string first = period + IntToStr(range.fromNo, 6);
  const std::string last = period + IntToStr(range.toNo, 6);
  bool posted = false;
  const bool done = base::ReportFailures(host, [&] {
    data::Connection& db = host.FindStartupDB();
    data::Transaction tx(db);
    posted = AnyPostedAudited(db, first, last);
    if (posted) return;  // the transaction rolls back: nothing changed
    // A voucher that never had a posting flag written is unposted.
    outcome.unaudited = UnstampUnposted(db, first, last);
    tx.commit();
  });
  if (!done) {
    outcome.result = ReverseAuditResult::Failed;
    outcome.unaudited = 0;
  } else if (posted) {
    lock.release();  // nobody waits for the save lock while the message is read
    Show(host, PostedInRangeRefusal());
  } else {
    outcome.result = ReverseAuditResult::Done;
  }
  return outcome;
}

}  // namespace qj::periodend
