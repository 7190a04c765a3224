#include "vouchers/voucher_import.h"

#include <utility>
#include <variant>

#include "base/host_lock.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_batch.h"
#include "vouchers/voucher_numbering_queries.h"

namespace qj::vouchers {

namespace {

// Why a voucher of the file cannot be stored, and where; or the voucher ready to be.
using VoucherCheck = std::variant<CheckedVoucher, RejectedVoucher>;

VoucherCheck check(const ImportedVoucher& voucher, const DraftBook& book) {
  const VoucherDraft& draft = voucher.draft;
  if (voucher.fault) return RejectedVoucher{draft.key, draft.origin, Refusal{*voucher.fault}};
  DraftResult result = CheckDraft(draft, book);
  if (auto* refused = std::get_if<DraftRefusal>(&result)) {
    const std::string& where = refused->line ? draft.lines[*refused->line].origin : draft.origin;
    return RejectedVoucher{draft.key, where, refused->refusal};
  }
  return std::move(std::get<CheckedVoucher>(result));
}

}  // namespace

ImportReport ImportVouchers(HostServices& host, const VoucherFileReader& read, ImportOptions options) {
  ImportReport report;
  if (auto refusal = SaveRightRefusal(host, true)) {
    report.storeRefusal = refusal;
    return report;
  }
  DraftBook book = DraftBook::load(host);
  book.farDatesAllowed = options.farDates;
  base::HostLock lock(host, base::kVoucherSaveLock);
  if (!lock) {
    report.storeRefusal = SaveLockBusyRefusal(host);
    return report;
  }
  data::Connection& db = host.FindStartupDB();
  data::Transaction transaction(db);
  NewVoucherWriter writer(db);
  // Every voucher is checked, so that all the refused ones are reported;
  // writing stops at the first refused one unless the good ones are kept.
  bool writing = true;
  report.fileFault = read([&](const ImportedVoucher& voucher) {
    ++report.read;
    VoucherCheck checked = check(voucher, book);
    if (auto* rejected = std::get_if<RejectedVoucher>(&checked)) {
      report.rejected.push_back(std::move(*rejected));
      writing = writing && options.skipBad;
      return;
    }
    if (!writing) return;
    CheckedVoucher& ready = std::get<CheckedVoucher>(checked);
    if (!writer.add(ready)) {
      report.storeRefusal = MonthFullRefusal();
      writing = false;
      return;
    }
    if (report.stored.count++ == 0) report.stored.first = ready.header.credId;
    report.stored.last = ready.header.credId;
  });
  if (report.fileFault || !writing || report.stored.count == 0) {
    report.stored = {};
    return report;
  }
  writer.flush();
  transaction.commit();
  return report;
}

}  // namespace qj::vouchers
