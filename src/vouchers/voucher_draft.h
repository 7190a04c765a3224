// A voucher given as data (a file or the command line) turned into the header
// and lines the voucher screen would have built from the same input, through
// every check the screen makes while the lines are typed and before a save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/connection.h"
#include "data/date.h"
#include "data/money.h"
#include "data/period.h"
#include "hostapi/host_services.h"
#include "hostapi/refusal.h"
#include "vouchers/chart_lookup.h"
#include "vouchers/currencies.h"
#include "vouchers/type_subject_rules.h"
#include "vouchers/voucher_header.h"
#include "vouchers/voucher_line.h"
#include "vouchers/voucher_types.h"

namespace qj::vouchers {

struct DraftLine {
  std::string summary;
  std::string subject;         // a subject code or a help code
  std::optional<int> moneyId;  // none: the subject's own currency (foreign mode 1), else local
  std::string rate;            // as typed into the rate cell; "" for the currency's rate
  Money foreign;               // the foreign amount, on the side of the local amount
  Money debit;                 // local amounts; on a foreign line the one given says the side
  Money credit;
  std::string origin;  // where the line was read ("第 5 行"), for messages
};

struct VoucherDraft {
  std::string key;  // what names the voucher in its file
  Date date;
  std::string type;  // a voucher type name ("记") or ID; "" for the book's default
  int attachments = 0;
  std::optional<std::string> maker;  // none: the user entering it
  std::vector<DraftLine> lines;
  std::string origin;  // where the voucher was read, for messages
};

// What the checks read from the book, loaded once for any number of drafts.
struct DraftBook {
  ChartLookup chart;
  Currencies currencies;
  std::vector<VoucherType> types;  // those the book's type scheme offers
  std::int64_t defaultType = 0;
  int scheme = 1;
  CashBankSubjects cashBank;
  Period currentPeriod;
  Period startPeriod;
  std::string userName;
  bool farDatesAllowed = false;  // dates more than a year after the current period

  static DraftBook load(HostServices& host);
};

// A voucher that passed every check, numbered later when it is stored.
struct CheckedVoucher {
  VoucherHeader header;  // no CREDID, CREDNO or CREDCODE yet
  std::vector<VoucherLine> lines;
};

// Why a draft was refused: the screen's message and the line (0-based in the
// draft) it is about, when it is about one.
struct DraftRefusal {
  Refusal refusal;
  std::optional<std::size_t> line;
};

using DraftResult = std::variant<CheckedVoucher, DraftRefusal>;

// Each line first as the screen refuses its cells (summary length, subject,
// currency the subject allows, rate, amount digits, both sides), then the
// save checks (FirstFailedSaveCheck) and the voucher type's cash and bank
// rules. The first failure decides.
DraftResult CheckDraft(const VoucherDraft& draft, const DraftBook& book);

}  // namespace qj::vouchers
