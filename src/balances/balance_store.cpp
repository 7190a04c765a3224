#include "balances/balance_store.h"

#include <utility>

namespace qj::balances {
namespace {

data::Value storedAmount(Money amount) {
  const Money stored = TruncateCurrency(amount);
  return stored.isZero() ? data::Value() : data::Value(stored);
}

data::Params rowParams(const Period& month, const BalanceRow& row) {
  return {{"ym", month.text()},
          {"moneyId", row.key.first},
          {"subject", row.key.second},
          {"rawDebit", storedAmount(row.rawDebit)},
          {"rawCredit", storedAmount(row.rawCredit)},
          {"endRawDebit", storedAmount(row.endRawDebit)},
          {"endRawCredit", storedAmount(row.endRawCredit)},
          {"yearRawDebit", storedAmount(row.yearRawDebit)},
          {"yearRawCredit", storedAmount(row.yearRawCredit)},
          {"debit", storedAmount(row.debit)},
          {"credit", storedAmount(row.credit)},
          {"endDebit", storedAmount(row.endDebit)},
          {"endCredit", storedAmount(row.endCredit)},
          {"yearDebit", storedAmount(row.yearDebit)},
          {"yearCredit", storedAmount(row.yearCredit)}};
}

}  // namespace

void DeleteEmptyBalanceRows(data::Connection& db, const Period& month) {
  std::string empty;
  for (const char* column :
       {"YBRAWDEBIT", "YBRAWCREDIT", "BRAWDEBIT",  "BRAWCREDIT", "RAWDEBIT", "RAWCREDIT", "ERAWDEBIT",
        "ERAWCREDIT", "YRAWDEBIT",   "YRAWCREDIT", "YBDEBIT",    "YBCREDIT", "BDEBIT",    "BCREDIT",
        "DEBIT",      "CREDIT",      "EDEBIT",     "ECREDIT",    "YDEBIT",   "YCREDIT"})
    empty.append(" AND COALESCE(").append(column).append(", 0)=0");
  db.execute("DELETE FROM Balance WHERE YEARMON=:ym" + empty, {{"ym", month.text()}});
}

std::map<BalanceKey, BalanceRow> ReadMonthBalances(data::Connection& db, const Period& month) {
  std::map<BalanceKey, BalanceRow> rows;
  for (const data::Row& row :
       db.query("SELECT MONEYID, SUBJECTID, RAWDEBIT, RAWCREDIT, ERAWDEBIT, ERAWCREDIT, YRAWDEBIT, YRAWCREDIT, DEBIT, "
                "CREDIT, EDEBIT, ECREDIT, YDEBIT, YCREDIT FROM Balance WHERE YEARMON=:ym",
                {{"ym", month.text()}})) {
    BalanceRow figures{{row.integer("MONEYID"), row.text("SUBJECTID")},
                       row.money("RAWDEBIT"),
                       row.money("RAWCREDIT"),
                       row.money("ERAWDEBIT"),
                       row.money("ERAWCREDIT"),
                       row.money("YRAWDEBIT"),
                       row.money("YRAWCREDIT"),
                       row.money("DEBIT"),
                       row.money("CREDIT"),
                       row.money("EDEBIT"),
                       row.money("ECREDIT"),
                       row.money("YDEBIT"),
                       row.money("YCREDIT")};
    BalanceKey key = figures.key;
    rows.emplace(std::move(key), std::move(figures));
  }
  return rows;
}

void InsertBalance(data::Connection& db, const Period& month, const BalanceRow& row) {
  db.execute(
      "INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, RAWDEBIT, RAWCREDIT, ERAWDEBIT, ERAWCREDIT, YRAWDEBIT, "
      "YRAWCREDIT, DEBIT, CREDIT, EDEBIT, ECREDIT, YDEBIT, YCREDIT) VALUES (:ym, :moneyId, :subject, :rawDebit, "
      ":rawCredit, :endRawDebit, :endRawCredit, :yearRawDebit, :yearRawCredit, :debit, :credit, :endDebit, "
      ":endCredit, :yearDebit, :yearCredit)",
      rowParams(month, row));
}

void UpdateBalance(data::Connection& db, const Period& month, const BalanceRow& row) {
  db.execute(
      "UPDATE Balance SET RAWDEBIT=:rawDebit, RAWCREDIT=:rawCredit, ERAWDEBIT=:endRawDebit, "
      "ERAWCREDIT=:endRawCredit, YRAWDEBIT=:yearRawDebit, YRAWCREDIT=:yearRawCredit, DEBIT=:debit, "
      "CREDIT=:credit, EDEBIT=:endDebit, ECREDIT=:endCredit, YDEBIT=:yearDebit, YCREDIT=:yearCredit "
      "WHERE YEARMON=:ym AND MONEYID=:moneyId AND SUBJECTID=:subject",
      rowParams(month, row));
}

}  // namespace qj::balances
