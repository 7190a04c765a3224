#include "periodend/posting_checks.h"

#include "periodend/posting_check_store.h"

#include <cstdint>
#include <string>

namespace qj::periodend {
namespace {

constexpr const char* kGapCaption = "凭证顺序号不连续";
constexpr const char* kSubjectCaption = "凭证科目错";
constexpr const char* kDataCaption = "凭证数据错";

Refusal refusal(std::string text, const char* caption) { return {std::move(text), caption, msgbox::IconWarning}; }

// The lines of one voucher as the scan goes through them.
struct VoucherScan {
  std::int64_t credNo = 0;
  Money debit;
  Money credit;
  std::optional<Refusal> fault;  // the first fault among its lines
};

std::optional<Refusal> checkTotals(const VoucherScan& voucher) {
  if (voucher.fault) return voucher.fault;
  if (voucher.debit != voucher.credit)
    return refusal("第" + std::to_string(voucher.credNo) + "号凭证借贷方金额不等，请修正后再登帐", kDataCaption);
  return std::nullopt;
}

}  // namespace

std::optional<Refusal> CheckVouchersBeforePosting(data::Connection& db, const Period& current, bool stopOnGap) {
  DeleteOrphanVoucherRows(db, current);
  return CheckMonthVouchers(db, current, stopOnGap, nullptr).refusal;
}

MonthCheck CheckMonthVouchers(data::Connection& db, const Period& current, bool stopOnGap,
                              ClaimedSumsBuilder* claimed) {
  std::optional<VoucherScan> voucher;
  std::string credId;
  std::optional<Refusal> found;
  // The sums number the subjects as the check does: one lookup per line.
  SubjectNumbers ownNumbers;
  SubjectNumbers& subjects = claimed ? claimed->subjects() : ownNumbers;
  // Each line is looked at once as it is read; the scan stops at the first fault.
  const bool orphansSeen = ForEachMonthLineToCheck(db, current, subjects, [&](const CheckedLine& line) {
    if (!voucher || line.credId != credId) {
      const std::int64_t credNo = line.credNo;
      if (voucher) {
        if ((found = checkTotals(*voucher))) return false;
        if (stopOnGap && credNo - voucher->credNo > 1) {
          found = refusal("第" + std::to_string(voucher->credNo) + "号凭证后顺序号不连续，终止登帐", kGapCaption);
          return false;
        }
      } else if (stopOnGap && credNo != 1) {
        found = refusal("本期第1号凭证不存在", kGapCaption);
        return false;
      }
      voucher = VoucherScan{credNo, {}, {}, std::nullopt};
      credId = line.credId;
    }
    voucher->debit += line.debit;
    voucher->credit += line.credit;
    if (claimed)
      claimed->add(line.credId, line.subjectNo, line.moneyId, line.debit, line.credit, line.rawDebit, line.rawCredit);
    if (voucher->fault) return true;
    if (!line.detailSubject)
      voucher->fault =
          refusal("第" + std::to_string(voucher->credNo) + "号凭证科目有错误，请修正后再登帐", kSubjectCaption);
    else if (!line.debit.isZero() && !line.credit.isZero())
      voucher->fault =
          refusal("第" + std::to_string(voucher->credNo) + "号凭证分录借贷方同时有金额，请修正后再登帐", kDataCaption);
    return true;
  });
  if (!found && voucher) found = checkTotals(*voucher);
  return {found, orphansSeen};
}

}  // namespace qj::periodend
