// A seeded book with helpers to write and read period-table rows as short text.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "subjects/opening_fixture.h"

namespace qj::test {

class PeriodTest : public OpeningTest {
 protected:
  // Columns shown by `shown`, in table order; integers print as such, the rest as money.
  static const std::vector<std::string>& columnsOf(const std::string& table) {
    static const std::vector<std::string> balance{"YBRAWDEBIT", "YBRAWCREDIT", "BRAWDEBIT",  "BRAWCREDIT", "RAWDEBIT",
                                                  "RAWCREDIT",  "ERAWDEBIT",   "ERAWCREDIT", "YRAWDEBIT",  "YRAWCREDIT",
                                                  "YBDEBIT",    "YBCREDIT",    "BDEBIT",     "BCREDIT",    "DEBIT",
                                                  "CREDIT",     "EDEBIT",      "ECREDIT",    "YDEBIT",     "YCREDIT"};
    static const std::vector<std::string> profit{"BDEBIT", "BCREDIT", "DEBIT",  "CREDIT",
                                                 "EDEBIT", "ECREDIT", "YDEBIT", "YCREDIT"};
    static const std::vector<std::string> surplus{"TOTALWL",    "CURRWL",    "USEDVALUE",  "DEPRRATE", "DEPRVALUE",
                                                  "BASTDEBIT",  "YASTDEBIT", "YASTCREDIT", "ASTDEBIT", "ASTCREDIT",
                                                  "BDPRCREDIT", "YDPRDEBIT", "YDPRCREDIT", "DPRDEBIT", "DPRCREDIT"};
    if (table == "Balance") return balance;
    if (table == "ProfitAndLoss") return profit;
    return surplus;
  }
  static bool isInteger(const std::string& column) {
    return column == "MONEYID" || column == "ID" || column == "TOTALWL" || column == "CURRWL" || column == "LOADWORK" ||
           column == "FENLUNO" || column == "AccountVoucherType" || column == "RELEVANTBILLID";
  }
  static bool isText(const std::string& column) {
    return column == "YEARMON" || column == "SUBJECTID" || column == "CREDID" || column == "POSTFLAG";
  }

  // Inserts a row given as "COLUMN=value ..." (amounts as decimal text).
  void put(const std::string& table, const std::string& fields) {
    std::istringstream in(fields);
    std::string field;
    std::string names;
    std::string values;
    data::Params params;
    while (in >> field) {
      const auto equals = field.find('=');
      const std::string column = field.substr(0, equals);
      const std::string value = field.substr(equals + 1);
      names += (names.empty() ? "" : ", ") + column;
      values += (values.empty() ? ":" : ", :") + column;
      if (isText(column))
        params.push_back({column, value});
      else if (isInteger(column))
        params.push_back({column, std::stoll(value)});
      else
        params.push_back({column, Money::parse(value)});
    }
    db().execute("INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")", params);
  }

  // The row's non-empty figures as "COLUMN=value ..." ("" for a row without
  // figures, "-" when there is no row); a stored zero shows, so empty and 0 differ.
  std::string shown(const std::string& table, const std::string& where) {
    const auto row = db().queryOne("SELECT * FROM " + table + " WHERE " + where);
    if (!row) return "-";
    std::string out;
    for (const auto& column : columnsOf(table)) {
      if (row->isNull(column)) continue;
      out += (out.empty() ? "" : " ") + column + "=" +
             (isInteger(column) ? std::to_string(row->integer(column)) : row->money(column).toString(2));
    }
    return out;
  }
  std::string balanceRow(const std::string& ym, int money, const std::string& subject) {
    return shown("Balance",
                 "YEARMON='" + ym + "' AND MONEYID=" + std::to_string(money) + " AND SUBJECTID='" + subject + "'");
  }
  std::int64_t count(const std::string& table, const std::string& where) {
    return data::IntegerOf(db().scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where));
  }

  // Makes the period current in the book and in the host's record.
  void makeCurrent(const Period& period) {
    db().execute("UPDATE AccountState SET CURRYEAR=:y, CURRMON=:m", {{"y", period.year}, {"m", period.month}});
    host().ReloadAccountBooksData();
  }
};

}  // namespace qj::test
