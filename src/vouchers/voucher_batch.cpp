#include "vouchers/voucher_batch.h"

#include <map>
#include <utility>

#include "base/host_lock.h"
#include "data/period.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_numbering_queries.h"
#include "vouchers/voucher_store.h"

namespace qj::vouchers {

namespace {

// The numbers of a batch: read once per month and per type from the stored
// maxima, then counted on.
class BatchNumbers {
 public:
  explicit BatchNumbers(data::Connection& db) : db_(db) {}

  // False when the month has no identifier left.
  bool assign(VoucherHeader& header) {
    const Period period = Period::ofDate(header.credDate);
    auto serial = serials_.find(period);
    if (serial == serials_.end()) {
      const auto first = NextCredId(db_, period);
      serial = serials_.emplace(period, first ? std::stoll(first->substr(6)) : kMaxVoucherSerial + 1).first;
    }
    if (serial->second > kMaxVoucherSerial) return false;
    header.credNo = serial->second++;
    header.credId = period.text() + IntToStr(header.credNo, 6);
    const auto key = std::make_pair(period, header.typeId);
    auto code = codes_.find(key);
    if (code == codes_.end()) code = codes_.emplace(key, NextTypeCode(db_, period, header.typeId)).first;
    header.credCode = code->second++;
    return true;
  }

 private:
  data::Connection& db_;
  std::map<Period, std::int64_t> serials_;
  std::map<std::pair<Period, std::int64_t>, std::int64_t> codes_;
};

}  // namespace

std::optional<Refusal> StoreNewVouchers(HostServices& host, std::vector<CheckedVoucher>& vouchers) {
  if (auto refusal = SaveRightRefusal(host, true)) return refusal;
  base::HostLock lock(host, base::kVoucherSaveLock);
  if (!lock) return SaveLockBusyRefusal(host);
  return WriteNewVouchers(host.FindStartupDB(), vouchers);
}

std::optional<Refusal> WriteNewVouchers(data::Connection& db, std::vector<CheckedVoucher>& vouchers) {
  std::vector<VoucherHeader> numbered;
  numbered.reserve(vouchers.size());
  BatchNumbers numbers(db);
  for (const CheckedVoucher& voucher : vouchers) {
    numbered.push_back(voucher.header);
    if (!numbers.assign(numbered.back())) return MonthFullRefusal();
  }
  data::Transaction transaction(db);
  for (std::size_t i = 0; i < vouchers.size(); ++i) WriteVoucher(db, {numbered[i], vouchers[i].lines, {}, {}, {}});
  transaction.commit();
  for (std::size_t i = 0; i < vouchers.size(); ++i) vouchers[i].header = std::move(numbered[i]);
  return std::nullopt;
}

}  // namespace qj::vouchers
