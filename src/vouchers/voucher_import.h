// Vouchers read from a file for import: CSV with a header row, one row per
// line, the rows of a voucher sharing its key (the "凭证" column); or JSON, an
// array of vouchers each holding its lines. Amounts are read as decimal text
// (JSON numbers by their own digits), never through floating point.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
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

using ImportedFile = std::variant<std::vector<ImportedVoucher>, ImportFileFault>;

// Columns, by their Chinese or English names (the order is free):
//   凭证|voucher (required), 日期|date (required), 凭证字|type, 附件|attachments,
//   制单人|maker, 摘要|summary, 科目|subject (required), 币种|currency, 汇率|rate,
//   原币|foreign, 借方|debit, 贷方|credit.
// A voucher's date, type, attachments and maker come from its first row; a
// later row may leave them empty or repeat them. Vouchers keep the order of
// their first rows.
ImportedFile ReadVoucherCsv(std::string_view text);

// [{"voucher": "1", "date": "2011-07-05", "type": "记", "attachments": 2,
//   "lines": [{"summary": "...", "subject": "1001", "debit": "100.00"}, ...]}, ...]
// with the same field names as the CSV columns ("lines" or "分录" for the lines).
ImportedFile ReadVoucherJson(std::string_view text);

// A voucher of the file that did not pass: its key, where in the file the
// fault is, and the message.
struct RejectedVoucher {
  std::string key;
  std::string where;
  Refusal refusal;
};

struct ImportReport {
  std::vector<RejectedVoucher> rejected;  // in file order
  std::vector<VoucherHeader> stored;      // numbered, in file order
  std::optional<Refusal> storeRefusal;    // why nothing was stored though vouchers were ready
};

struct ImportOptions {
  bool skipBad = false;   // store the vouchers that passed even when others did not
  bool farDates = false;  // take dates more than a year after the current period
};

// Checks every voucher; stores them all in one transaction when every one
// passed, or with `skipBad` the ones that passed; nothing otherwise.
ImportReport ImportVouchers(HostServices& host, std::vector<ImportedVoucher> vouchers, ImportOptions options);

}  // namespace qj::vouchers
