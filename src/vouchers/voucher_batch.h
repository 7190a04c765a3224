// Storing many new vouchers at once (an import, generated demo data): one
// transaction under the save lock, identifiers and numbers handed out in
// order while the lock is held.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "vouchers/voucher_draft.h"
#include "vouchers/voucher_store.h"

namespace qj::vouchers {

// Numbers the vouchers in their order — each month's identifiers continue
// after its highest stored one, each type's numbers within the month after
// its highest stored one — and writes them all, or none. The headers carry
// their CREDID, CREDNO and CREDCODE afterwards (on a refusal, numbers that
// were not stored). Refused, with nothing stored: the add or edit right
// missing, the save lock busy (product caption), a month's identifiers used
// up. A database error rolls everything back and propagates.
std::optional<Refusal> StoreNewVouchers(HostServices& host, std::vector<CheckedVoucher>& vouchers);
// The numbering and writing of StoreNewVouchers, for a caller that has
// checked the rights and holds the save lock itself.
std::optional<Refusal> WriteNewVouchers(data::Connection& db, std::vector<CheckedVoucher>& vouchers);

class BatchNumbers;

// New vouchers numbered and written as they come, for a caller that holds
// the save lock and a transaction: the rows go to the book in large bulk
// writes, so any number of vouchers passes through a bounded amount of memory.
class NewVoucherWriter {
 public:
  explicit NewVoucherWriter(data::Connection& db);
  NewVoucherWriter(const NewVoucherWriter&) = delete;
  NewVoucherWriter& operator=(const NewVoucherWriter&) = delete;
  ~NewVoucherWriter();

  // Numbers the voucher as StoreNewVouchers does (its header takes CREDID,
  // CREDNO and CREDCODE) and queues its rows. False, with nothing queued,
  // when its month has no identifier left.
  [[nodiscard]] bool add(CheckedVoucher& voucher);
  // Writes what is queued; the caller's commit keeps it.
  void flush();

 private:
  // Header and line rows queued before they are written.
  static constexpr std::size_t kRowsPerWrite = 8192;

  data::Connection& db_;
  std::unique_ptr<BatchNumbers> numbers_;
  NewVoucherRows rows_;
};

}  // namespace qj::vouchers
