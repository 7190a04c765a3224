#include "subjects/opening_transfer.h"

#include <string>

#include "data/period.h"
#include "package/book_state.h"
#include "subjects/opening_totals.h"

namespace qj::subjects {
namespace {

// Source kind and bill number of the fixed-asset module's depreciation voucher of a period.
constexpr int kDepreciationVoucher = 201;

void buildBalances(data::Connection& db, const Period& period) {
  db.execute(
      "INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, YBRAWDEBIT, YBRAWCREDIT, BRAWDEBIT, BRAWCREDIT, ERAWDEBIT, "
      "ERAWCREDIT, YRAWDEBIT, YRAWCREDIT, YBDEBIT, YBCREDIT, BDEBIT, BCREDIT, EDEBIT, ECREDIT, YDEBIT, YCREDIT) "
      "SELECT :ym, MONEYID, SUBJECTID, YRAWDEBIT, YRAWCREDIT, MRAWDEBIT, MRAWCREDIT, MRAWDEBIT, MRAWCREDIT, RAWDEBIT, "
      "RAWCREDIT, YDEBIT, YCREDIT, MDEBIT, MCREDIT, MDEBIT, MCREDIT, DEBIT, CREDIT FROM SubjectStartData "
      "WHERE MNYIDSUBJECTID<:below AND MONEYID IS NOT NULL AND SUBJECTID IS NOT NULL AND NOT ("
      "COALESCE(YRAWDEBIT, 0)=0 AND COALESCE(YRAWCREDIT, 0)=0 AND COALESCE(MRAWDEBIT, 0)=0 AND "
      "COALESCE(MRAWCREDIT, 0)=0 AND COALESCE(RAWDEBIT, 0)=0 AND COALESCE(RAWCREDIT, 0)=0 AND "
      "COALESCE(YDEBIT, 0)=0 AND COALESCE(YCREDIT, 0)=0 AND COALESCE(MDEBIT, 0)=0 AND COALESCE(MCREDIT, 0)=0 AND "
      "COALESCE(DEBIT, 0)=0 AND COALESCE(CREDIT, 0)=0)",
      {{"ym", period.text()}, {"below", "99600"}});
}

void buildProfitAndLoss(data::Connection& db, const CodeStructure& structure, const Period& period) {
  // A debit-side subject books a positive amount as debit, a credit-side one as credit.
  const std::string source =
      " CASE WHEN (DCFLAG='T')=(PLHAVEDONE>0) THEN abs(PLHAVEDONE) ELSE 0 END AS YD, "
      "CASE WHEN (DCFLAG='T')=(PLHAVEDONE>0) THEN 0 ELSE abs(PLHAVEDONE) END AS YC FROM SubjectStartData "
      "WHERE SUBJECTID>:from AND SUBJECTID<:to AND DETAILFLAG='T' AND MONEYID=0 AND COALESCE(PLHAVEDONE, 0)<>0";
  data::Params params{{"ym", period.text()}, {"from", "5"}, {"to", "6"}};
  std::string rows = "SELECT SUBJECTID," + source;
  for (std::size_t level = 0; level < structure.cumulativeLengths().size(); ++level) {
    const std::string length = "l" + std::to_string(level);
    rows.append(" UNION ALL SELECT substr(SUBJECTID, 1, :").append(length).append("),").append(source);
    rows.append(" AND length(SUBJECTID)>:").append(length);
    params.push_back({length, structure.cumulativeLengths()[level]});
  }
  db.execute(
      "INSERT INTO ProfitAndLoss (SUBJECTID, YEARMON, YDEBIT, YCREDIT) SELECT SUBJECTID, :ym, SUM(YD), SUM(YC) "
      "FROM (" +
          rows + ") P GROUP BY SUBJECTID",
      params);
}

void applyDepreciationWorkload(data::Connection& db, const Period& period) {
  const bool depreciated =
      db.queryOne("SELECT CREDID FROM VoucherMaster WHERE AccountVoucherType=:kind AND RELEVANTBILLID=:bill LIMIT 1",
                  {{"kind", kDepreciationVoucher}, {"bill", period.year * 100 + period.month}})
          .has_value();
  if (!depreciated) return;
  db.execute(
      "INSERT INTO FixedAssetsSurplus (ID, YEARMON, DEPRRATE, DEPRVALUE, CURRWL) "
      "SELECT ID, YEARMON, DEPRRATE, DEPRVALUE, LOADWORK FROM LoadWork WHERE YEARMON=:ym AND DEPRVALUE>0 "
      "ON CONFLICT (ID, YEARMON) DO UPDATE SET DEPRRATE=excluded.DEPRRATE, DEPRVALUE=excluded.DEPRVALUE, "
      "CURRWL=excluded.CURRWL",
      {{"ym", period.text()}});
}

}  // namespace

bool TransferOpeningToLedger(data::Connection& db, const CodeStructure& structure, const AccountBooksData& book) {
  data::Transaction tx(db);
  if (!package::IsStartPeriod(db, book)) return false;
  const Period period{book.CurrYear, book.CurrMon};
  ReWriteSubjectDataTotal(db, structure);
  db.execute("DELETE FROM Balance");
  db.execute("DELETE FROM ProfitAndLoss");
  buildBalances(db, period);
  buildProfitAndLoss(db, structure, period);
  package::FixedAssetsStartToBegin(db, period.year, period.month);
  applyDepreciationWorkload(db, period);
  tx.commit();
  return true;
}

}  // namespace qj::subjects
