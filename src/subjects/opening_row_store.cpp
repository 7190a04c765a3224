#include "subjects/opening_row_store.h"

#include <string>

#include "subjects/opening_columns.h"

namespace qj::subjects {
namespace {

// The currency a subject's single-currency rows are kept in.
constexpr const char* kOwnCurrency = "(CASE WHEN COALESCE(S.VorWBFlag, 0)=1 THEN COALESCE(S.MONEYID, 0) ELSE 0 END)";

std::string allZero(std::initializer_list<std::string_view> columns) {
  std::string sql;
  for (std::string_view column : columns) {
    if (!sql.empty()) sql += " AND ";
    sql.append("COALESCE(").append(column).append(", 0)=0");
  }
  return sql;
}

void alignRates(data::Connection& db) {
  db.execute("DELETE FROM RateInit WHERE MONEYID=99");
  db.execute("DELETE FROM RateInit WHERE NOT EXISTS (SELECT 1 FROM Currency C WHERE C.MONEYID=RateInit.MONEYID)");
  db.execute(
      "INSERT INTO RateInit (MONEYID, RATE) SELECT C.MONEYID, C.RATE FROM Currency C "
      "WHERE C.MONEYID>=0 AND C.MONEYID<99 AND NOT EXISTS (SELECT 1 FROM RateInit R WHERE R.MONEYID=C.MONEYID)");
  db.execute("INSERT INTO RateInit (MONEYID, RATE) VALUES (99, :one)", {{"one", Money::fromInteger(1)}});
}

void dropRowsThatNoLongerFit(data::Connection& db) {
  // A row that still holds an amount, foreign amounts included, stays: the
  // user sees it under its currency and clears it.
  db.execute(std::string("DELETE FROM SubjectStartData WHERE MONEYID<>99 AND ") +
             allZero({"DEBIT", "CREDIT", "Balance", "PLHAVEDONE", "RAWDEBIT", "RAWCREDIT", "RAWBalance"}) +
             " AND EXISTS (SELECT 1 FROM Subject S WHERE S.SUBJECTID=SubjectStartData.SUBJECTID "
             "AND S.DETAILFLAG='T' AND COALESCE(S.VorWBFlag, 0)<2 AND " +
             kOwnCurrency + "<>SubjectStartData.MONEYID)");
  // The grand-total row has no subject of its own; the totals keep it.
  db.execute(
      "DELETE FROM SubjectStartData WHERE MNYIDSUBJECTID<>:total AND ("
      "(MONEYID<>99 AND NOT EXISTS (SELECT 1 FROM RateInit R WHERE R.MONEYID=SubjectStartData.MONEYID)) "
      "OR NOT EXISTS (SELECT 1 FROM Subject S WHERE S.SUBJECTID=SubjectStartData.SUBJECTID))",
      {{"total", kGrandTotalKey}});
}

void copySubjectFlags(data::Connection& db) {
  // Every row has its subject now, so its direction comes from there, whatever
  // the class, also where the row had none.
  db.execute(
      "UPDATE SubjectStartData SET DETAILFLAG=S.DETAILFLAG, DCFLAG=S.DCFLAG FROM Subject S "
      "WHERE S.SUBJECTID=SubjectStartData.SUBJECTID AND (SubjectStartData.DETAILFLAG IS NULL "
      "OR SubjectStartData.DETAILFLAG<>S.DETAILFLAG OR SubjectStartData.DCFLAG IS NULL "
      "OR SubjectStartData.DCFLAG<>S.DCFLAG)");
  db.execute(
      "UPDATE SubjectStartData SET DCFLAGNAME=CASE WHEN DCFLAG='T' THEN :debit ELSE :credit END "
      "WHERE DCFLAG IN ('T', 'F') AND (DCFLAGNAME IS NULL OR DCFLAGNAME<>CASE WHEN DCFLAG='T' THEN :debit "
      "ELSE :credit END)",
      {{"debit", DirectionName(true)}, {"credit", DirectionName(false)}});
}

void zeroEmptyAmounts(data::Connection& db) {
  std::string set;
  std::string where;
  for (std::string_view column : kOpeningAmountColumns) {
    if (!set.empty()) {
      set += ", ";
      where += " OR ";
    }
    set.append(column).append("=COALESCE(").append(column).append(", 0)");
    where.append(column).append(" IS NULL");
  }
  db.execute("UPDATE SubjectStartData SET " + set + " WHERE " + where);
}

void addMissingRows(data::Connection& db) {
  std::string columns;
  std::string zeros;
  for (std::string_view column : kOpeningAmountColumns) {
    columns.append(", ").append(column);
    zeros += ", 0";
  }
  const std::string key = "CASE WHEN R.MONEYID<10 THEN '0' ELSE '' END || CAST(R.MONEYID AS VARCHAR(2)) || S.SUBJECTID";
  db.execute(
      "INSERT INTO SubjectStartData (MNYIDSUBJECTID, MONEYID, SUBJECTID, NAME, DCFLAG, DCFLAGNAME, "
      "DETAILFLAG, RATE" +
          columns + ") SELECT " + key +
          ", R.MONEYID, S.SUBJECTID, S.NAME, S.DCFLAG, CASE WHEN S.DCFLAG='T' THEN :debit ELSE :credit END, "
          "S.DETAILFLAG, R.RATE" +
          zeros +
          " FROM Subject S, RateInit R WHERE R.MONEYID>=0 AND R.MONEYID<=99 AND (R.MONEYID=99 "
          "OR COALESCE(S.VorWBFlag, 0)=2 OR S.DETAILFLAG='F' OR " +
          kOwnCurrency + "=R.MONEYID) AND NOT EXISTS (SELECT 1 FROM SubjectStartData D WHERE D.MNYIDSUBJECTID=" + key +
          ")",
      {{"debit", DirectionName(true)}, {"credit", DirectionName(false)}});
}

}  // namespace

void CreateSubjectStartData(data::Connection& db) {
  data::Transaction tx(db);
  alignRates(db);
  dropRowsThatNoLongerFit(db);
  copySubjectFlags(db);
  zeroEmptyAmounts(db);
  addMissingRows(db);
  tx.commit();
}

void SubjectStartDataInitial(data::Connection& db) {
  data::Transaction tx(db);
  db.execute("DELETE FROM SubjectStartData");
  CreateSubjectStartData(db);
  tx.commit();
}

void DeleteSubjectOpeningRows(data::Connection& db, const std::string& subjectId) {
  db.execute("DELETE FROM SubjectStartData WHERE SUBJECTID=:code", {{"code", subjectId}});
}

void CopySubjectIntoOpeningRows(data::Connection& db, const Subject& subject) {
  db.execute("UPDATE SubjectStartData SET NAME=:name, DCFLAG=:dc, DCFLAGNAME=:dcName WHERE SUBJECTID=:code",
             {{"name", subject.name},
              {"dc", subject.debit ? "T" : "F"},
              {"dcName", subject.debit ? "借" : "贷"},
              {"code", subject.code}});
}

std::optional<bool> OpeningRowDebitSide(data::Connection& db, const std::string& key) {
  const auto row = db.queryOne("SELECT DCFLAG FROM SubjectStartData WHERE MNYIDSUBJECTID=:key", {{"key", key}});
  if (!row) return std::nullopt;
  return row->text("DCFLAG") == "T";
}

void SetOpeningFigures(data::Connection& db, const std::string& key, Money debit, Money credit, Money balance) {
  db.execute("UPDATE SubjectStartData SET DEBIT=:debit, CREDIT=:credit, Balance=:balance WHERE MNYIDSUBJECTID=:key",
             {{"debit", debit}, {"credit", credit}, {"balance", balance}, {"key", key}});
}

void StoreEnteredFigures(data::Connection& db, const OpeningRow& row) {
  std::string zeroed;
  for (std::string_view column :
       {"YRAWDEBIT", "YRAWCREDIT", "MRAWDEBIT", "MRAWCREDIT", "YDEBIT", "YCREDIT", "MDEBIT", "MCREDIT"})
    zeroed.append(", ").append(column).append("=COALESCE(").append(column).append(", 0)");
  db.execute(
      "UPDATE SubjectStartData SET RAWDEBIT=:rawDebit, RAWCREDIT=:rawCredit, RAWBalance=:rawBalance, "
      "DEBIT=:debit, CREDIT=:credit, Balance=:balance, PLHAVEDONE=:pl" +
          zeroed + " WHERE MNYIDSUBJECTID=:key",
      {{"rawDebit", row.rawDebit},
       {"rawCredit", row.rawCredit},
       {"rawBalance", row.rawBalance},
       {"debit", row.debit},
       {"credit", row.credit},
       {"balance", row.balance},
       {"pl", row.profitLoss},
       {"key", row.key}});
}

}  // namespace qj::subjects
