#include "periodend/period_close_queries.h"

namespace qj::periodend {

std::vector<SubjectLineSum> CarriedProfitLossSums(data::Connection& db, const Period& month,
                                                  const std::string& profitSubject, int classDigit) {
  const VoucherIdRange range = MonthVoucherRange(month);
  const std::string from = std::to_string(classDigit);
  const std::string to = std::to_string(classDigit + 1);
  std::vector<SubjectLineSum> sums;
  for (const data::Row& row :
       db.query("SELECT d.SUBJECTID, SUM(COALESCE(d.DEBIT, 0)) AS DEBIT, SUM(COALESCE(d.CREDIT, 0)) AS CREDIT "
                "FROM VoucherDetail d WHERE d.CREDID BETWEEN :first AND :last "
                "AND d.SUBJECTID>=:from AND d.SUBJECTID<:to "
                "AND EXISTS (SELECT 1 FROM VoucherMaster m WHERE m.CREDID=d.CREDID) "
                "AND EXISTS (SELECT 1 FROM VoucherDetail p WHERE p.CREDID=d.CREDID AND p.SUBJECTID=:profit) "
                "GROUP BY d.SUBJECTID",
                {{"first", range.first}, {"last", range.last}, {"from", from}, {"to", to}, {"profit", profitSubject}}))
    sums.push_back({row.text("SUBJECTID"), row.money("DEBIT"), row.money("CREDIT")});
  return sums;
}

std::int64_t CountDisposalsFrom(data::Connection& db, const Date& day) {
  return data::IntegerOf(db.scalar("SELECT COUNT(*) FROM FixedAssetsClear WHERE ClearDate>=:day", {{"day", day}}));
}

}  // namespace qj::periodend
