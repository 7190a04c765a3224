#include "periodend/posting_store.h"

#include <utility>

#include "balances/period_roll_store.h"

namespace qj::periodend {
namespace {

// While one posting runs, the vouchers it has claimed carry this flag; it is
// turned into 'T' before the posting ends and never outlives its transaction.
constexpr const char* kClaimed = "P";

data::Params monthParams(const Period& month) {
  const VoucherIdRange range = MonthVoucherRange(month);
  return {{"first", range.first}, {"last", range.last}, {"claimed", kClaimed}};
}

}  // namespace

std::int64_t ClaimMonthVouchers(data::Connection& db, const Period& month, const std::string& user, bool auditedOnly) {
  data::Params params = monthParams(month);
  params.push_back({"user", user});
  return db.execute(std::string("UPDATE VoucherMaster SET POSTFLAG=:claimed, BILLPOST=:user WHERE CREDID BETWEEN "
                                ":first AND :last AND COALESCE(POSTFLAG, 'F')<>'T'") +
                        (auditedOnly ? " AND CHECKFLAG='T'" : ""),
                    params);
}

std::int64_t ClaimVouchers(data::Connection& db, const Period& month, const std::string& user,
                           const std::vector<std::string>& credIds) {
  data::Params params = monthParams(month);
  params.push_back({"user", user});
  std::string list;
  for (std::size_t i = 0; i < credIds.size(); ++i) {
    const std::string name = "id" + std::to_string(i);
    list.append(list.empty() ? ":" : ", :").append(name);
    params.push_back({name, credIds[i]});
  }
  return db.execute("UPDATE VoucherMaster SET POSTFLAG=:claimed, BILLPOST=:user WHERE CREDID IN (" + list +
                        ") AND CREDID BETWEEN :first AND :last AND COALESCE(POSTFLAG, 'F')<>'T'",
                    params);
}

void MarkClaimedPosted(data::Connection& db, const Period& month) {
  db.execute("UPDATE VoucherMaster SET POSTFLAG='T' WHERE CREDID BETWEEN :first AND :last AND POSTFLAG=:claimed",
             monthParams(month));
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

// The lines of the chosen vouchers summed per subject and currency, each
// line's foreign amount on the side of its local one.
std::vector<ClaimedSum> lineSums(data::Connection& db, const std::string& chosen, const data::Params& params) {
  std::vector<ClaimedSum> sums;
  for (const data::Row& row :
       db.query("SELECT d.SUBJECTID, d.MONEYID, SUM(COALESCE(d.DEBIT, 0)) AS DEBIT, "
                "SUM(CASE WHEN COALESCE(d.DEBIT, 0)<>0 THEN 0 ELSE COALESCE(d.CREDIT, 0) END) AS CREDIT, "
                "SUM(CASE WHEN COALESCE(d.DEBIT, 0)<>0 THEN COALESCE(d.RAWDEBIT, 0) ELSE 0 END) AS RAWDEBIT, "
                "SUM(CASE WHEN COALESCE(d.DEBIT, 0)<>0 THEN 0 ELSE COALESCE(d.RAWCREDIT, 0) END) AS RAWCREDIT "
                "FROM VoucherDetail d WHERE d.CREDID BETWEEN :first AND :last AND d.CREDID IN "
                "(SELECT m.CREDID FROM VoucherMaster m WHERE m.CREDID BETWEEN :first AND :last AND " +
                    chosen + ") GROUP BY d.SUBJECTID, d.MONEYID",
                params))
    sums.push_back({row.text("SUBJECTID"), row.integer("MONEYID"), row.money("DEBIT"), row.money("CREDIT"),
                    row.money("RAWDEBIT"), row.money("RAWCREDIT")});
  return sums;
}

}  // namespace

std::vector<ClaimedSum> ClaimedSums(data::Connection& db, const Period& month) {
  return lineSums(db, "m.POSTFLAG=:claimed", monthParams(month));
}

std::vector<ClaimedSum> PostedSumsOfKind(data::Connection& db, const Period& month, int kind) {
  const VoucherIdRange range = MonthVoucherRange(month);
  return lineSums(db, "m.POSTFLAG=:posted AND m.AccountVoucherType=:kind",
                  {{"first", range.first}, {"last", range.last}, {"posted", "T"}, {"kind", kind}});
}

std::vector<ClaimedAssetLine> ClaimedAssetLines(data::Connection& db, const Period& month,
                                                const std::vector<std::int64_t>& kinds) {
  data::Params params = monthParams(month);
  std::string list;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const std::string name = "kind" + std::to_string(i);
    list.append(list.empty() ? ":" : ", :").append(name);
    params.push_back({name, kinds[i]});
  }
  std::vector<ClaimedAssetLine> lines;
  for (const data::Row& row :
       db.query("SELECT m.CREDID, m.AccountVoucherType AS KIND, m.RELEVANTBILLID, d.SUBJECTID, d.DEBIT, d.CREDIT "
                "FROM VoucherMaster m JOIN VoucherDetail d ON d.CREDID=m.CREDID "
                "WHERE m.CREDID BETWEEN :first AND :last AND m.POSTFLAG=:claimed "
                "AND m.AccountVoucherType IN (" +
                    list +
                    ") "
                    "ORDER BY m.CREDDATE, m.AccountVoucherTypeID, m.CREDCODE, m.CREDID, d.FENLUNO",
                params)) {
    ClaimedAssetLine line{row.text("CREDID"),    row.integer("KIND"), std::nullopt,
                          row.text("SUBJECTID"), row.money("DEBIT"),  row.money("CREDIT")};
    if (!row.isNull("RELEVANTBILLID")) line.assetId = row.integer("RELEVANTBILLID");
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace qj::periodend
