// Vouchers read from a file for import: CSV with a header row, one row per
// line, the rows of a voucher sharing its key (the "凭证" column); or JSON, an
// array of vouchers each holding its lines. Amounts are read as decimal text
// (JSON numbers by their own digits), never through floating point.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "vouchers/voucher_draft.h"

namespace qj::vouchers {

// One voucher of the file, or what is wrong with its text (the first fault
// found, with where it is).
struct ImportedVoucher {
  VoucherDraft draft;
  std::optional<std::string> fault;
};

// The file cannot be read as vouchers at all: no header row, a required
// column missing, broken JSON.
struct ImportFileFault {
  std::string text;
};

// Receives the vouchers of a file one at a time, in file order.
using VoucherSink = std::function<void(const ImportedVoucher&)>;

// The readers hand each voucher on as soon as it is read whole, so that a
// large file is never held as vouchers all at once. A fault of the file as a
// whole may come after some vouchers were handed on.
//
// CSV columns, by their Chinese or English names (the order is free):
//   凭证|voucher (required), 日期|date (required), 凭证字|type, 附件|attachments,
//   制单人|maker, 摘要|summary, 科目|subject (required), 币种|currency, 汇率|rate,
//   原币|foreign, 借方|debit, 贷方|credit.
// A voucher's date, type, attachments and maker come from its first row; a
// later row may leave them empty or repeat them. Vouchers keep the order of
// their first rows.
std::optional<ImportFileFault> ReadVoucherCsv(std::string_view text, const VoucherSink& take);

// [{"voucher": "1", "date": "2011-07-05", "type": "记", "attachments": 2,
//   "lines": [{"summary": "...", "subject": "1001", "debit": "100.00"}, ...]}, ...]
// with the same field names as the CSV columns ("lines" or "分录" for the lines).
std::optional<ImportFileFault> ReadVoucherJson(std::string_view text, const VoucherSink& take);

// Reads one file with one of the readers above.
using VoucherFileReader = std::function<std::optional<ImportFileFault>(const VoucherSink&)>;

// A voucher of the file that did not pass: its key, where in the file the
// fault is, and the message.
struct RejectedVoucher {
  std::string key;
  std::string where;
  Refusal refusal;
};

// The vouchers stored: how many, and the identifiers of the first and last
// in file order.
struct StoredVouchers {
  std::size_t count = 0;
  std::string first;
  std::string last;
};

struct ImportReport {
  std::optional<ImportFileFault> fileFault;  // the file could not be read: nothing stored
  std::size_t read = 0;                      // vouchers read from the file
  std::vector<RejectedVoucher> rejected;     // in file order
  StoredVouchers stored;
  std::optional<Refusal> storeRefusal;  // why nothing was stored: no right, the lock busy, a month full
};

struct ImportOptions {
  bool skipBad = false;   // store the vouchers that passed even when others did not
  bool farDates = false;  // take dates more than a year after the current period
};

// Holding the save lock, checks every voucher of the file as it is read and
// numbers and writes those that pass, all in one transaction: committed when
// every voucher passed, or with `skipBad` the ones that passed; nothing is
// stored otherwise, nor when the file turns out unreadable part way.
ImportReport ImportVouchers(HostServices& host, const VoucherFileReader& read, ImportOptions options);

}  // namespace qj::vouchers
