// What posting reads and marks in the vouchers of a month: the vouchers it
// claims, their lines summed per subject and currency, the fixed-asset
// module's lines, and the posted mark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/connection.h"
#include "data/money.h"
#include "data/period.h"
#include "periodend/subject_numbers.h"

namespace qj::periodend {

// The vouchers a posting under way has claimed: marked posted by the user in
// the posting's transaction, each statement marking and naming the ones it
// marks, so that what is booked is exactly what is marked.
class ClaimedVouchers {
 public:
  explicit ClaimedVouchers(std::vector<std::string> credIds);
  [[nodiscard]] std::size_t size() const { return ids_.size(); }
  // In identifier order.
  [[nodiscard]] const std::vector<std::string>& ids() const { return ids_; }
  [[nodiscard]] bool contains(std::string_view credId) const;
  // The same, for vouchers asked about in identifier order: `from` is where
  // the last search ended, so that the next one costs a comparison or two.
  [[nodiscard]] bool contains(std::string_view credId, std::size_t& from) const;

 private:
  std::vector<std::string> ids_;  // sorted, each once
};

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
  // The numbers of the subjects summed: a line given by number names its
  // subject by its number here.
  SubjectNumbers& subjects() { return subjects_; }
  void add(std::string_view credId, std::size_t subjectNo, std::int64_t moneyId, Money debit, Money credit,
           Money rawDebit, Money rawCredit);
  void add(std::string_view credId, std::string_view subject, std::int64_t moneyId, Money debit, Money credit,
           Money rawDebit, Money rawCredit) {
    add(credId, subjects_.numberOf(subject), moneyId, debit, credit, rawDebit, rawCredit);
  }
  // The sums in subject and currency order; the builder is left empty.
  std::vector<ClaimedSum> take();

 private:
  const ClaimedVouchers* vouchers_;
  std::string lastVoucher_;    // the voucher of the last line added,
  bool lastClaimed_ = false;   // whether it is one of `vouchers_`,
  std::size_t claimedAt_ = 0;  // and where the search for it ended
  // A subject's sum in one currency as lines are added; a subject's sums are
  // chained from firstOf_[its number], each index one past the sum's place
  // in running_ (0 ends the chain), so that a line touches little memory.
  struct RunningSum {
    std::int64_t moneyId = 0;
    Money debit, credit, rawDebit, rawCredit;
    std::uint32_t subjectNo = 0;
    std::uint32_t next = 0;
  };
  SubjectNumbers subjects_;
  std::vector<std::uint32_t> firstOf_;
  std::vector<RunningSum> running_;
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
