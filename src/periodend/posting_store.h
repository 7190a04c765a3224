// What posting reads and marks in the vouchers of a month: the vouchers it
// claims, their lines summed per subject and currency, the fixed-asset
// module's lines, and the posted mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "data/connection.h"
#include "data/money.h"
#include "data/period.h"

namespace qj::periodend {

// The vouchers a posting under way has claimed: marked posted by the user in
// the posting's transaction, each statement marking and naming the ones it
// marks, so that what is booked is exactly what is marked.
using ClaimedVouchers = std::unordered_set<std::string>;

// Claims the month's vouchers not yet posted (only audited ones when
// `auditedOnly`) for `user`.
ClaimedVouchers ClaimMonthVouchers(data::Connection& db, const Period& month, const std::string& user,
                                   bool auditedOnly);
// Claims those of `credIds` that are of the month and not yet posted.
ClaimedVouchers ClaimVouchers(data::Connection& db, const Period& month, const std::string& user,
                              const std::vector<std::string>& credIds);
// Takes the posted mark off every voucher of the month; the count.
std::int64_t UnmarkMonthPosted(data::Connection& db, const Period& month);
// Whether the month's depreciation voucher is posted.
bool DepreciationVoucherPosted(data::Connection& db, const Period& month);

// The claimed lines of one subject in one currency, summed. A line is a debit
// line when its debit is not 0, otherwise a credit line (of 0 when it has no
// amount, which still counts).
struct ClaimedSum {
  std::string subject;
  std::int64_t moneyId = 0;
  Money debit, credit, rawDebit, rawCredit;
};
// Lines summed into ClaimedSums as they are read, one per subject and currency.
class ClaimedSumsBuilder {
 public:
  // Sums the lines of `vouchers` only, or every line it is given when null.
  explicit ClaimedSumsBuilder(const ClaimedVouchers* vouchers = nullptr) : vouchers_(vouchers) {}
  void add(const std::string& credId, const std::string& subject, std::int64_t moneyId, Money debit, Money credit,
           Money rawDebit, Money rawCredit);
  // The sums in subject and currency order; the builder is left empty.
  std::vector<ClaimedSum> take();

 private:
  const ClaimedVouchers* vouchers_;
  std::string lastVoucher_;                                             // the voucher of the last line added, and
  bool lastClaimed_ = false;                                            // whether it is one of `vouchers_`
  std::unordered_map<std::string, std::vector<ClaimedSum>> bySubject_;  // each subject's sums by currency
};
// The lines of `claimed` summed: a few vouchers are read by identifier, many
// by one pass over the month.
std::vector<ClaimedSum> ClaimedSums(data::Connection& db, const Period& month, const ClaimedVouchers& claimed);
// The same sums over the month's posted vouchers of one source kind.
std::vector<ClaimedSum> PostedSumsOfKind(data::Connection& db, const Period& month, int kind);

// A line of a claimed voucher of the fixed-asset module.
struct ClaimedAssetLine {
  std::string credId;
  std::int64_t kind = 0;                // the voucher's source kind
  std::optional<std::int64_t> assetId;  // RELEVANTBILLID: the asset it books on
  std::string subject;
  Money debit, credit;
};
// The lines of the claimed vouchers of `kinds`, in the order of posting
// (date, voucher word, number, line).
std::vector<ClaimedAssetLine> ClaimedAssetLines(data::Connection& db, const Period& month,
                                                const std::vector<std::int64_t>& kinds, const ClaimedVouchers& claimed);

}  // namespace qj::periodend
