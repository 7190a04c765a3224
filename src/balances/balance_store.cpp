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

void InsertBalances(data::Connection& db, const Period& month, const std::vector<BalanceRow>& rows) {
  static constexpr std::string_view kColumns[] = {"YEARMON",   "MONEYID",    "SUBJECTID", "RAWDEBIT",   "RAWCREDIT",
                                                  "ERAWDEBIT", "ERAWCREDIT", "YRAWDEBIT", "YRAWCREDIT", "DEBIT",
                                                  "CREDIT",    "EDEBIT",     "ECREDIT",   "YDEBIT",     "YCREDIT"};
  std::vector<data::Value> values;
  values.reserve(rows.size() * std::size(kColumns));
  const std::string yearMonth = month.text();
  for (const BalanceRow& row : rows) {
    values.insert(values.end(),
                  {data::Value(yearMonth), data::Value(row.key.first), data::Value(row.key.second),
                   storedAmount(row.rawDebit), storedAmount(row.rawCredit), storedAmount(row.endRawDebit),
                   storedAmount(row.endRawCredit), storedAmount(row.yearRawDebit), storedAmount(row.yearRawCredit),
                   storedAmount(row.debit), storedAmount(row.credit), storedAmount(row.endDebit),
                   storedAmount(row.endCredit), storedAmount(row.yearDebit), storedAmount(row.yearCredit)});
  }
  db.insertRows("Balance", kColumns, values);
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
