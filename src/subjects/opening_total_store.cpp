#include "subjects/opening_total_store.h"

#include "hostapi/refusal.h"

#include <limits>
#include <stdexcept>
#include <string>

#include "subjects/opening_columns.h"

namespace qj::subjects {
namespace {

std::string amount(std::string_view column) { return "COALESCE(" + std::string(column) + ", 0)"; }

// A balance column as a debit-positive net amount.
std::string debitNet(std::string_view balanceColumn) {
  return "(CASE WHEN DCFLAG='F' THEN -" + amount(balanceColumn) + " ELSE " + amount(balanceColumn) + " END)";
}

// The SET clauses that split a net amount into a debit and a credit column.
std::string split(const std::string& debitColumn, const std::string& creditColumn, const std::string& net) {
  return debitColumn + "=CASE WHEN " + net + ">0 THEN " + net + " ELSE 0 END, " + creditColumn + "=CASE WHEN " + net +
         "<0 THEN -(" + net + ") ELSE 0 END";
}

constexpr const char* kNotGrandTotal = "MNYIDSUBJECTID<>:total";

void clearDerivedRows(data::Connection& db) {
  db.execute(std::string("UPDATE SubjectStartData SET DEBIT=0, CREDIT=0, Balance=0, PLHAVEDONE=0, RAWDEBIT=0, "
                         "RAWCREDIT=0, RAWBalance=0 WHERE (DETAILFLAG='F' OR MONEYID=99) AND ") +
                 kNotGrandTotal,
             {{"total", kGrandTotalKey}});
}

void sumCurrenciesOfDetailSubjects(data::Connection& db) {
  db.execute(
      "UPDATE SubjectStartData SET DEBIT=A.D, CREDIT=A.C, Balance=A.B, PLHAVEDONE=A.P "
      "FROM (SELECT SUBJECTID, SUM(" +
          amount("DEBIT") + ") AS D, SUM(" + amount("CREDIT") + ") AS C, SUM(" + amount("Balance") + ") AS B, SUM(" +
          amount("PLHAVEDONE") +
          ") AS P FROM SubjectStartData WHERE MONEYID<>99 GROUP BY SUBJECTID) A "
          "WHERE SubjectStartData.MONEYID=99 AND COALESCE(SubjectStartData.DETAILFLAG, 'T')<>'F' "
          "AND SubjectStartData.SUBJECTID=A.SUBJECTID AND SubjectStartData.MNYIDSUBJECTID<>:total",
      {{"total", kGrandTotalKey}});
}

// Summary rows whose code has `length` characters, from the detail rows below
// them; each found by its key.
void sumDetailsInto(data::Connection& db, std::int64_t length) {
  db.execute(
      "UPDATE SubjectStartData SET DEBIT=A.D, CREDIT=A.C, PLHAVEDONE=A.P, RAWDEBIT=A.RD, RAWCREDIT=A.RC, "
      "Balance=CASE WHEN SubjectStartData.DCFLAG='F' THEN -A.NB ELSE A.NB END, "
      "RAWBalance=CASE WHEN SubjectStartData.DCFLAG='F' THEN -A.NRB ELSE A.NRB END "
      "FROM (SELECT G.*, CASE WHEN G.MONEYID<10 THEN '0' ELSE '' END || CAST(G.MONEYID AS VARCHAR(2)) || G.PARENT "
      "AS PARENTKEY FROM (SELECT MONEYID, substr(SUBJECTID, 1, :length) AS PARENT, SUM(" +
          amount("DEBIT") + ") AS D, SUM(" + amount("CREDIT") + ") AS C, SUM(" + amount("PLHAVEDONE") + ") AS P, SUM(" +
          amount("RAWDEBIT") + ") AS RD, SUM(" + amount("RAWCREDIT") + ") AS RC, SUM(" + debitNet("Balance") +
          ") AS NB, SUM(" + debitNet("RAWBalance") +
          ") AS NRB FROM SubjectStartData WHERE COALESCE(DETAILFLAG, 'T')<>'F' AND length(SUBJECTID)>:length "
          "GROUP BY MONEYID, PARENT) G) A "
          "WHERE SubjectStartData.MNYIDSUBJECTID=A.PARENTKEY AND SubjectStartData.DETAILFLAG='F' "
          "AND SubjectStartData.MONEYID=A.MONEYID AND SubjectStartData.SUBJECTID=A.PARENT "
          "AND SubjectStartData.MNYIDSUBJECTID<>:total",
      {{"length", length}, {"total", kGrandTotalKey}});
}

void sumSummaryRows(data::Connection& db) {
  const auto lengths = db.query(
      "SELECT DISTINCT length(SUBJECTID) AS L FROM SubjectStartData WHERE DETAILFLAG='F' AND MNYIDSUBJECTID<>:total",
      {{"total", kGrandTotalKey}});
  for (const auto& row : lengths) sumDetailsInto(db, row.integer("L"));
}

void splitBalancesBySide(data::Connection& db) {
  const std::string yearOpening = "(" + debitNet("Balance") + "-" + amount("DEBIT") + "+" + amount("CREDIT") + ")";
  const std::string rawStart = "(CASE WHEN MONEYID>0 AND MONEYID<99 THEN " + debitNet("RAWBalance") + " ELSE 0 END)";
  const std::string rawYearOpening = "(CASE WHEN MONEYID>0 AND MONEYID<99 THEN " + debitNet("RAWBalance") + "-" +
                                     amount("RAWDEBIT") + "+" + amount("RAWCREDIT") + " ELSE 0 END)";
  db.execute("UPDATE SubjectStartData SET " + split("YDEBIT", "YCREDIT", yearOpening) + ", " +
                 split("MDEBIT", "MCREDIT", debitNet("Balance")) + ", " +
                 split("YRAWDEBIT", "YRAWCREDIT", rawYearOpening) + ", " + split("MRAWDEBIT", "MRAWCREDIT", rawStart) +
                 " WHERE " + kNotGrandTotal,
             {{"total", kGrandTotalKey}});
}

void writeGrandTotal(data::Connection& db, int levelOneLength) {
  const auto sums = db.queryOne(
      "SELECT SUM(DEBIT) AS D, SUM(CREDIT) AS C, SUM(YDEBIT) AS YD, SUM(YCREDIT) AS YC, SUM(MDEBIT) AS MD, "
      "SUM(MCREDIT) AS MC, SUM(PLHAVEDONE) AS P FROM SubjectStartData "
      "WHERE MONEYID=99 AND length(SUBJECTID)=:length AND MNYIDSUBJECTID<>:total",
      {{"length", levelOneLength}, {"total", kGrandTotalKey}});
  const Money debit = sums->money("D");
  const Money credit = sums->money("C");
  const Money mDebit = sums->money("MD");
  const Money mCredit = sums->money("MC");
  const Money zero;
  db.execute(
      "INSERT INTO SubjectStartData (MNYIDSUBJECTID, MONEYID, SUBJECTID, NAME, DCFLAG, DCFLAGNAME, DETAILFLAG, RATE, "
      "RAWDEBIT, RAWCREDIT, RAWBalance, YRAWDEBIT, YRAWCREDIT, MRAWDEBIT, MRAWCREDIT, DEBIT, CREDIT, Balance, YDEBIT, "
      "YCREDIT, MDEBIT, MCREDIT, PLHAVEDONE) VALUES (:total, 99, :code, :name, 'T', :direction, 'F', :rate, :zero, "
      ":zero, :zero, :zero, :zero, :zero, :zero, :debit, :credit, :balance, :ydebit, :ycredit, :mdebit, :mcredit, :pl) "
      "ON CONFLICT (MNYIDSUBJECTID) DO UPDATE SET DEBIT=excluded.DEBIT, CREDIT=excluded.CREDIT, "
      "Balance=excluded.Balance, YDEBIT=excluded.YDEBIT, YCREDIT=excluded.YCREDIT, MDEBIT=excluded.MDEBIT, "
      "MCREDIT=excluded.MCREDIT, PLHAVEDONE=excluded.PLHAVEDONE",
      {{"total", kGrandTotalKey},
       {"code", "999"},
       {"name", "合计"},
       {"direction", DirectionName(true)},
       {"rate", Money::fromInteger(1)},
       {"zero", zero},
       {"debit", debit},
       {"credit", credit},
       {"balance", mDebit - mCredit},
       {"ydebit", sums->money("YD")},
       {"ycredit", sums->money("YC")},
       {"mdebit", mDebit},
       {"mcredit", mCredit},
       {"pl", sums->money("P")}});
}

}  // namespace

bool OpeningTotalsFit(data::Connection& db) {
  Money local;
  Money foreign;
  try {
    for (const data::Row& row :
         db.query("SELECT DEBIT, CREDIT, Balance, PLHAVEDONE, RAWDEBIT, RAWCREDIT, RAWBalance FROM SubjectStartData "
                  "WHERE COALESCE(DETAILFLAG, 'T')<>'F' AND MONEYID<>99 AND MNYIDSUBJECTID<>:total",
                  {{"total", kGrandTotalKey}})) {
      for (const char* column : {"DEBIT", "CREDIT", "Balance", "PLHAVEDONE"})
        if (!row.isNull(column)) local += row.money(column).abs();
      for (const char* column : {"RAWDEBIT", "RAWCREDIT", "RAWBalance"})
        if (!row.isNull(column)) foreign += row.money(column).abs();
    }
  } catch (const MoneyError&) {
    return false;
  }
  return true;
}

Refusal OpeningTotalsOutOfRangeRefusal() {
  return ErrorRefusal("期初数据的合计超出了金额能记的范围（" +
                      Money::fromUnits(std::numeric_limits<std::int64_t>::max()).grouped() + "），请改小过大的金额。");
}

int LevelOneLength(const base::CodeStructure& structure) {
  if (structure.levels() == 0) throw RefusalError(ErrorRefusal("帐套没有设置科目编码结构"));
  return structure.cumulativeLengths().front();
}

TrialFigures GrandTotalFigures(data::Connection& db) {
  const auto row = db.queryOne(
      "SELECT DEBIT, CREDIT, MDEBIT, MCREDIT, YDEBIT, YCREDIT FROM SubjectStartData "
      "WHERE MONEYID=99 AND MNYIDSUBJECTID=:total",
      {{"total", kGrandTotalKey}});
  if (!row) return {};
  return {row->money("DEBIT"),   row->money("CREDIT"), row->money("MDEBIT"),
          row->money("MCREDIT"), row->money("YDEBIT"), row->money("YCREDIT")};
}

void ReWriteSubjectDataTotal(data::Connection& db, const base::CodeStructure& structure) {
  const int levelOne = LevelOneLength(structure);
  data::Transaction tx(db);
  if (!OpeningTotalsFit(db)) throw RefusalError(OpeningTotalsOutOfRangeRefusal());
  clearDerivedRows(db);
  sumCurrenciesOfDetailSubjects(db);
  sumSummaryRows(db);
  splitBalancesBySide(db);
  writeGrandTotal(db, levelOne);
  tx.commit();
}

}  // namespace qj::subjects
