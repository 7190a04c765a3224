#include "periodend/posting_checks.h"

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
  {
    // Lines without a header and headers without lines go, and with a
    // removed header its cash-flow allocation.
    data::Transaction orphans(db);
    // Each test is one lookup in the other table's key: NOT IN over a
    // subquery is quadratic on a server that cannot hash the whole book.
    db.execute(
        "DELETE FROM VoucherDetail WHERE NOT EXISTS "
        "(SELECT 1 FROM VoucherMaster m WHERE m.CREDID=VoucherDetail.CREDID)");
    db.execute(
        "DELETE FROM VoucherMaster WHERE NOT EXISTS "
        "(SELECT 1 FROM VoucherDetail d WHERE d.CREDID=VoucherMaster.CREDID)");
    db.execute(
        "DELETE FROM FluxionDistribute WHERE NOT EXISTS "
        "(SELECT 1 FROM VoucherMaster m WHERE m.CREDID=FluxionDistribute.CREDID)");
    orphans.commit();
  }

  // Every line of the period with its voucher's number and its subject's detail
  // flag (null when the subject does not exist), in one pass.
  const data::Rows lines = db.query(
      "SELECT m.CREDID, m.CREDNO, d.DEBIT, d.CREDIT, s.DETAILFLAG, s.SUBJECTID AS KNOWN FROM VoucherMaster m "
      "JOIN VoucherDetail d ON d.CREDID=m.CREDID LEFT JOIN Subject s ON s.SUBJECTID=d.SUBJECTID "
      "WHERE m.CREDID>:first AND m.CREDID<=:last ORDER BY m.CREDID, d.FENLUNO",
      {{"first", current.text() + "000000"}, {"last", current.text() + "999999"}});

  std::optional<VoucherScan> voucher;
  std::string credId;
  for (const data::Row& line : lines) {
    if (!voucher || line.text("CREDID") != credId) {
      const std::int64_t credNo = line.integer("CREDNO");
      if (voucher) {
        if (auto fault = checkTotals(*voucher)) return fault;
        if (stopOnGap && credNo - voucher->credNo > 1)
          return refusal("第" + std::to_string(voucher->credNo) + "号凭证后顺序号不连续，终止登帐", kGapCaption);
      } else if (stopOnGap && credNo != 1) {
        return refusal("本期第1号凭证不存在", kGapCaption);
      }
      voucher = VoucherScan{credNo, {}, {}, std::nullopt};
      credId = line.text("CREDID");
    }
    const Money debit = line.money("DEBIT");
    const Money credit = line.money("CREDIT");
    voucher->debit += debit;
    voucher->credit += credit;
    if (voucher->fault) continue;
    const std::string number = std::to_string(voucher->credNo);
    if (line.isNull("KNOWN") || line.text("DETAILFLAG") != "T")
      voucher->fault = refusal("第" + number + "号凭证科目有错误，请修正后再登帐", kSubjectCaption);
    else if (!debit.isZero() && !credit.isZero())
      voucher->fault = refusal("第" + number + "号凭证分录借贷方同时有金额，请修正后再登帐", kDataCaption);
  }
  if (voucher) return checkTotals(*voucher);
  return std::nullopt;
}

}  // namespace qj::periodend
