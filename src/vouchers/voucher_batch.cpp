#include "vouchers/voucher_batch.h"

#include <map>
#include <memory>
#include <utility>

#include "base/host_lock.h"
#include "data/period.h"
#include "vouchers/save_guards.h"
#include "vouchers/voucher_numbering_queries.h"
#include "vouchers/voucher_store.h"

namespace qj::vouchers {

// The numbers of a batch: read once per month and per type from the stored
// maxima, then counted on.
class BatchNumbers {
 public:
  explicit BatchNumbers(data::Connection& db) : db_(db) {}

  enum Assigned { FirstOfMonth, Next };

  // Nothing when the month has no identifier left.
  std::optional<Assigned> assign(VoucherHeader& header) {
    const Period period = Period::ofDate(header.credDate);
    auto serial = serials_.find(period);
    const Assigned assigned = serial == serials_.end() ? FirstOfMonth : Next;
    if (serial == serials_.end()) {
      const auto first = NextCredId(db_, period);
      serial = serials_.emplace(period, first ? std::stoll(first->substr(6)) : kMaxVoucherSerial + 1).first;
    }
    if (serial->second > kMaxVoucherSerial) return std::nullopt;
    header.credNo = serial->second++;
    header.credId = period.text() + IntToStr(header.credNo, 6);
    const auto key = std::make_pair(period, header.typeId);
    auto code = codes_.find(key);
    if (code == codes_.end()) code = codes_.emplace(key, NextTypeCode(db_, period, header.typeId)).first;
    header.credCode = code->second++;
    return assigned;
  }

 private:
  data::Connection& db_;
  std::map<Period, std::int64_t> serials_;
  std::map<std::pair<Period, std::int64_t>, std::int64_t> codes_;
};

std::optional<Refusal> StoreNewVouchers(HostServices& host, std::vector<CheckedVoucher>& vouchers) {
  if (auto refusal = SaveRightRefusal(host, true)) return refusal;
  base::HostLock lock(host, base::kVoucherSaveLock);
  if (!lock) return SaveLockBusyRefusal(host);
  return WriteNewVouchers(host.FindStartupDB(), vouchers);
}

std::optional<Refusal> WriteNewVouchers(data::Connection& db, std::vector<CheckedVoucher>& vouchers) {
  data::Transaction transaction(db);
  NewVoucherWriter writer(db);
  for (CheckedVoucher& voucher : vouchers)
    if (!writer.add(voucher)) return MonthFullRefusal();
  writer.flush();
  transaction.commit();
  return std::nullopt;
}

NewVoucherWriter::NewVoucherWriter(data::Connection& db) : db_(db), numbers_(std::make_unique<BatchNumbers>(db)) {}

NewVoucherWriter::~NewVoucherWriter() = default;

bool NewVoucherWriter::add(CheckedVoucher& voucher) {
  const auto numbered = numbers_->assign(voucher.header);
  if (!numbered) return false;
  if (*numbered == BatchNumbers::FirstOfMonth) DeleteRowsLeftFrom(db_, voucher.header.credId);
  rows_.add(voucher.header, voucher.lines);
  if (rows_.size() >= kRowsPerWrite) flush();
  return true;
}

void NewVoucherWriter::flush() { rows_.write(db_); }

}  // namespace qj::vouchers
