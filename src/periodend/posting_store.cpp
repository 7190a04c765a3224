#include "periodend/posting_store.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>

#include "balances/period_roll_store.h"

namespace qj::periodend {
namespace {

// Identifiers bound into one statement's IN list at most.
constexpr std::size_t kIdsPerStatement = 500;
// Up to this many claimed vouchers, their lines are read by identifier; more,
// and one pass over the month's posted lines costs less than the lookups.
constexpr std::size_t kSumByIdentifierUpTo = 4 * kIdsPerStatement;

data::Params monthParams(const Period& month) {
  const VoucherIdRange range = MonthVoucherRange(month);
  return {{"first", range.first}, {"last", range.last}, {"posted", "T"}};
}

// Binds `values` as :<prefix>0, :<prefix>1, ... and returns the list to put in
// an IN (...).
template <class Value>
std::string bindList(const std::string& prefix, const std::vector<Value>& values, data::Params& params) {
  std::string list;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string name = prefix + std::to_string(i);
    list.append(list.empty() ? ":" : ", :").append(name);
    params.push_back({name, values[i]});
  }
  return list;
}

// Calls `run` with each slice of at most kIdsPerStatement of `ids`.
template <class Run>
void forEachIdSlice(const std::vector<std::string>& ids, Run run) {
  for (std::size_t from = 0; from < ids.size(); from += kIdsPerStatement) {
    const auto begin = ids.begin() + static_cast<std::ptrdiff_t>(from);
    run(std::vector<std::string>(begin,
                                 begin + static_cast<std::ptrdiff_t>(std::min(kIdsPerStatement, ids.size() - from))));
  }
}

// Runs a claiming UPDATE ... RETURNING CREDID and adds the identifiers to `ids`.
void addClaimed(data::Connection& db, const std::string& sql, const data::Params& params,
                std::vector<std::string>& ids) {
  db.forEachRow(sql, params, [&ids](const data::Row& row) {
    ids.push_back(data::TextOf(row.at(0)));
    return true;
  });
}

}  // namespace

ClaimedVouchers::ClaimedVouchers(std::vector<std::string> credIds) : ids_(std::move(credIds)) {
  std::sort(ids_.begin(), ids_.end());
  ids_.erase(std::unique(ids_.begin(), ids_.end()), ids_.end());
}

bool ClaimedVouchers::contains(std::string_view credId) const {
  return std::binary_search(ids_.begin(), ids_.end(), credId, std::less<>());
}

bool ClaimedVouchers::contains(std::string_view credId, std::size_t& from) const {
  // `from` is where the last search ended: the first identifier not below the
  // one asked then. Asked in identifier order, the answer is there or a step
  // after it; asked out of order, the search starts over.
  if (from > ids_.size() || (from > 0 && ids_[from - 1] >= credId)) from = 0;
  if (from < ids_.size() && ids_[from] < credId) {
    if (from + 1 < ids_.size() && ids_[from + 1] >= credId)
      ++from;
    else
      from = static_cast<std::size_t>(
          std::lower_bound(ids_.begin() + static_cast<std::ptrdiff_t>(from) + 1, ids_.end(), credId, std::less<>()) -
          ids_.begin());
  }
  return from < ids_.size() && ids_[from] == credId;
}

ClaimedVouchers ClaimMonthVouchers(data::Connection& db, const Period& month, const std::string& user,
                                   bool auditedOnly) {
  data::Params params = monthParams(month);
  params.push_back({"user", user});
  std::vector<std::string> ids;
  addClaimed(db,
             std::string("UPDATE VoucherMaster SET POSTFLAG=:posted, BILLPOST=:user WHERE CREDID BETWEEN "
                         ":first AND :last AND COALESCE(POSTFLAG, 'F')<>'T'") +
                 (auditedOnly ? " AND CHECKFLAG='T'" : "") + " RETURNING CREDID",
             params, ids);
  return ClaimedVouchers(std::move(ids));
}

ClaimedVouchers ClaimVouchers(data::Connection& db, const Period& month, const std::string& user,
                              const std::vector<std::string>& credIds) {
  const ClaimedVouchers asked(credIds);  // each once, in order
  std::vector<std::string> ids;
  forEachIdSlice(asked.ids(), [&](const std::vector<std::string>& slice) {
    data::Params params = monthParams(month);
    params.push_back({"user", user});
    const std::string list = bindList("id", slice, params);
    addClaimed(db,
               "UPDATE VoucherMaster SET POSTFLAG=:posted, BILLPOST=:user WHERE CREDID IN (" + list +
                   ") AND CREDID BETWEEN :first AND :last AND COALESCE(POSTFLAG, 'F')<>'T' RETURNING CREDID",
               params, ids);
  });
  return ClaimedVouchers(std::move(ids));
}

std::int64_t UnmarkMonthPosted(data::Connection& db, const Period& month) {
  const VoucherIdRange range = MonthVoucherRange(month);
  return db.execute(
      "UPDATE VoucherMaster SET POSTFLAG=:unposted, BILLPOST=:poster WHERE CREDID BETWEEN :first AND :last",
      {{"unposted", "F"}, {"poster", ""}, {"first", range.first}, {"last", range.last}});
}

bool DepreciationVoucherPosted(data::Connection& db, const Period& month) {
  return db
      .queryOne(
          "SELECT CREDID FROM VoucherMaster WHERE AccountVoucherType=:kind AND RELEVANTBILLID=:bill AND "
          "POSTFLAG=:posted LIMIT 1",
          {{"kind", balances::kDepreciationVoucherKind}, {"bill", month.year * 100 + month.month}, {"posted", "T"}})
      .has_value();
}

namespace {
// Streams the lines `sql` selects (CREDID, SUBJECTID, MONEYID, DEBIT, CREDIT,
// RAWDEBIT and RAWCREDIT, in this order: a month's lines are read by
// position) into `sums`.
void addLines(data::Connection& db, const std::string& sql, const data::Params& params, ClaimedSumsBuilder& sums) {
  enum Column : std::size_t { CredId, Subject, MoneyId, Debit, Credit, RawDebit, RawCredit };
  db.forEachRow(sql, params, [&](const data::Row& row) {
    sums.add(data::TextViewOf(row.at(CredId)), data::TextViewOf(row.at(Subject)), data::IntegerOf(row.at(MoneyId)),
             data::MoneyOf(row.at(Debit)), data::MoneyOf(row.at(Credit)), data::MoneyOf(row.at(RawDebit)),
             data::MoneyOf(row.at(RawCredit)));
    return true;
  });
}

// The lines of the month's vouchers that `chosen` picks, summed here: one pass
// over the month's lines with no sort on the way.
std::vector<ClaimedSum> monthLineSums(data::Connection& db, const std::string& chosen, const data::Params& params,
                                      const ClaimedVouchers* only) {
  ClaimedSumsBuilder sums(only);
  addLines(db,
           "SELECT d.CREDID, d.SUBJECTID, d.MONEYID, d.DEBIT, d.CREDIT, d.RAWDEBIT, d.RAWCREDIT FROM VoucherDetail d "
           "WHERE d.CREDID BETWEEN :first AND :last AND d.CREDID IN "
           "(SELECT m.CREDID FROM VoucherMaster m WHERE m.CREDID BETWEEN :first AND :last AND " +
               chosen + ")",
           params, sums);
  return sums.take();
}

}  // namespace

void ClaimedSumsBuilder::add(std::string_view credId, std::size_t subjectNo, std::int64_t moneyId, Money debit,
                             Money credit, Money rawDebit, Money rawCredit) {
  if (vouchers_) {
    // A voucher's lines come together: it is looked up once, at its first.
    if (credId != lastVoucher_) {
      lastVoucher_ = credId;
      lastClaimed_ = vouchers_->contains(lastVoucher_, claimedAt_);
    }
    if (!lastClaimed_) return;
  }
  if (subjectNo >= firstOf_.size()) firstOf_.resize(subjectNo + 1);
  // A subject has lines in one or a few currencies.
  std::uint32_t at = firstOf_[subjectNo];
  std::uint32_t last = 0;  // the sum before `at` in the chain
  for (; at != 0 && running_[at - 1].moneyId != moneyId; at = running_[at - 1].next) last = at;
  if (at == 0) {
    running_.push_back({moneyId, {}, {}, {}, {}, static_cast<std::uint32_t>(subjectNo), 0});
    at = static_cast<std::uint32_t>(running_.size());
    (last == 0 ? firstOf_[subjectNo] : running_[last - 1].next) = at;
  }
  RunningSum& sum = running_[at - 1];
  // A line is a debit line when its debit is not 0, otherwise a credit line;
  // its foreign amount goes to the side of its local one.
  if (!debit.isZero()) {
    sum.debit += debit;
    sum.rawDebit += rawDebit;
  } else {
    sum.credit += credit;
    sum.rawCredit += rawCredit;
  }
}

std::vector<ClaimedSum> ClaimedSumsBuilder::take() {
  std::vector<ClaimedSum> out;
  out.reserve(running_.size());
  for (const RunningSum& sum : running_)
    out.push_back({subjects_.code(sum.subjectNo), sum.moneyId, sum.debit, sum.credit, sum.rawDebit, sum.rawCredit});
  firstOf_.clear();
  running_.clear();
  std::sort(out.begin(), out.end(), [](const ClaimedSum& a, const ClaimedSum& b) {
    return std::tie(a.subject, a.moneyId) < std::tie(b.subject, b.moneyId);
  });
  return out;
}

std::vector<ClaimedSum> ClaimedSums(data::Connection& db, const Period& month, const ClaimedVouchers& claimed) {
  if (claimed.size() > kSumByIdentifierUpTo)
    return monthLineSums(db, "m.POSTFLAG=:posted", monthParams(month), &claimed);
  ClaimedSumsBuilder sums;
  forEachIdSlice(claimed.ids(), [&](const std::vector<std::string>& slice) {
    data::Params params;
    const std::string list = bindList("id", slice, params);
    addLines(db,
             "SELECT CREDID, SUBJECTID, MONEYID, DEBIT, CREDIT, RAWDEBIT, RAWCREDIT FROM VoucherDetail WHERE CREDID "
             "IN (" +
                 list + ")",
             params, sums);
  });
  return sums.take();
}

std::vector<ClaimedSum> PostedSumsOfKind(data::Connection& db, const Period& month, int kind) {
  const VoucherIdRange range = MonthVoucherRange(month);
  return monthLineSums(db, "m.POSTFLAG=:posted AND m.AccountVoucherType=:kind",
                       {{"first", range.first}, {"last", range.last}, {"posted", "T"}, {"kind", kind}}, nullptr);
}

std::vector<ClaimedAssetLine> ClaimedAssetLines(data::Connection& db, const Period& month,
                                                const std::vector<std::int64_t>& kinds,
                                                const ClaimedVouchers& claimed) {
  data::Params params = monthParams(month);
  const std::string list = bindList("kind", kinds, params);
  std::vector<ClaimedAssetLine> lines;
  for (const data::Row& row :
       db.query("SELECT m.CREDID, m.AccountVoucherType AS KIND, m.RELEVANTBILLID, d.SUBJECTID, d.DEBIT, d.CREDIT "
                "FROM VoucherMaster m JOIN VoucherDetail d ON d.CREDID=m.CREDID "
                "WHERE m.CREDID BETWEEN :first AND :last AND m.POSTFLAG=:posted "
                "AND m.AccountVoucherType IN (" +
                    list +
                    ") "
                    "ORDER BY m.CREDDATE, m.AccountVoucherTypeID, m.CREDCODE, m.CREDID, d.FENLUNO",
                params)) {
    if (!claimed.contains(row.text("CREDID"))) continue;
    ClaimedAssetLine line{row.text("CREDID"),    row.integer("KIND"), std::nullopt,
                          row.text("SUBJECTID"), row.money("DEBIT"),  row.money("CREDIT")};
    if (!row.isNull("RELEVANTBILLID")) line.assetId = row.integer("RELEVANTBILLID");
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace qj::periodend
