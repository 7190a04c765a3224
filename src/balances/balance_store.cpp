#include "balances/balance_store.h"

#include <iterator>
#include <string>
#include <string_view>
#include <utility>

namespace qj::balances {
namespace {

data::Value storedAmount(Money amount) {
  const Money stored = TruncateCurrency(amount);
  return stored.isZero() ? data::Value() : data::Value(stored);
}

// The columns a month's row is written with, and their values for `rows`,
// one row after another.
constexpr std::string_view kRowColumns[] = {"YEARMON",   "MONEYID",    "SUBJECTID", "RAWDEBIT",   "RAWCREDIT",
                                            "ERAWDEBIT", "ERAWCREDIT", "YRAWDEBIT", "YRAWCREDIT", "DEBIT",
                                            "CREDIT",    "EDEBIT",     "ECREDIT",   "YDEBIT",     "YCREDIT"};

std::vector<data::Value> rowValues(const Period& month, const std::vector<BalanceRow>& rows) {
  std::vector<data::Value> values;
  values.reserve(rows.size() * std::size(kRowColumns));
  const std::string yearMonth = month.text();
  for (const BalanceRow& row : rows) {
    values.insert(values.end(),
                  {data::Value(yearMonth), data::Value(row.key.first), data::Value(row.key.second),
                   storedAmount(row.rawDebit), storedAmount(row.rawCredit), storedAmount(row.endRawDebit),
                   storedAmount(row.endRawCredit), storedAmount(row.yearRawDebit), storedAmount(row.yearRawCredit),
                   storedAmount(row.debit), storedAmount(row.credit), storedAmount(row.endDebit),
                   storedAmount(row.endCredit), storedAmount(row.yearDebit), storedAmount(row.yearCredit)});
  }
  return values;
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

void InsertBalances(data::Connection& db, const Period& month, const std::vector<BalanceRow>& rows) {
  db.insertRows("Balance", kRowColumns, rowValues(month, rows));
}

void UpdateBalances(data::Connection& db, const Period& month, const std::vector<BalanceRow>& rows) {
  if (rows.empty()) return;
  // The new figures go to a table of this connection's own, emptied first, and
  // change the month's rows in one statement however many there are.
  db.executeScript(
      "CREATE TEMP TABLE IF NOT EXISTS BalanceMoved AS SELECT YEARMON, MONEYID, SUBJECTID, RAWDEBIT, RAWCREDIT, "
      "ERAWDEBIT, ERAWCREDIT, YRAWDEBIT, YRAWCREDIT, DEBIT, CREDIT, EDEBIT, ECREDIT, YDEBIT, YCREDIT FROM Balance "
      "WHERE 1=0");
  db.execute("DELETE FROM BalanceMoved");
  db.insertRows("BalanceMoved", kRowColumns, rowValues(month, rows));
  db.execute(
      "UPDATE Balance SET RAWDEBIT=m.RAWDEBIT, RAWCREDIT=m.RAWCREDIT, ERAWDEBIT=m.ERAWDEBIT, ERAWCREDIT=m.ERAWCREDIT, "
      "YRAWDEBIT=m.YRAWDEBIT, YRAWCREDIT=m.YRAWCREDIT, DEBIT=m.DEBIT, CREDIT=m.CREDIT, EDEBIT=m.EDEBIT, "
      "ECREDIT=m.ECREDIT, YDEBIT=m.YDEBIT, YCREDIT=m.YCREDIT FROM BalanceMoved m WHERE Balance.YEARMON=:ym "
      "AND m.YEARMON=Balance.YEARMON AND m.MONEYID=Balance.MONEYID AND m.SUBJECTID=Balance.SUBJECTID",
      {{"ym", month.text()}});
}

}  // namespace qj::balances
