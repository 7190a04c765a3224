#include "subjects/opening_listing_queries.h"

#include <map>
#include <stdexcept>

#include "subjects/opening_columns.h"
#include "subjects/opening_total_store.h"

namespace qj::subjects {
namespace {

constexpr const char* kRowColumns =
    "MNYIDSUBJECTID, SUBJECTID, NAME, DCFLAG, DETAILFLAG, RAWDEBIT, RAWCREDIT, RAWBalance, DEBIT, CREDIT, Balance, "
    "PLHAVEDONE, YDEBIT, YCREDIT, MDEBIT, MCREDIT";

OpeningRow rowOf(const data::Row& row) {
  OpeningRow out;
  out.key = row.text("MNYIDSUBJECTID");
  out.subjectId = row.text("SUBJECTID");
  out.name = row.text("NAME");
  out.debitSide = row.text("DCFLAG") != "F";
  out.detail = row.text("DETAILFLAG") != "F";
  out.rawDebit = row.money("RAWDEBIT");
  out.rawCredit = row.money("RAWCREDIT");
  out.rawBalance = row.money("RAWBalance");
  out.debit = row.money("DEBIT");
  out.credit = row.money("CREDIT");
  out.balance = row.money("Balance");
  out.profitLoss = row.money("PLHAVEDONE");
  out.yDebit = row.money("YDEBIT");
  out.yCredit = row.money("YCREDIT");
  out.mDebit = row.money("MDEBIT");
  out.mCredit = row.money("MCREDIT");
  return out;
}

std::string fullName(const std::map<std::string, std::string>& names, const base::CodeStructure& structure,
                     const std::string& code, const std::string& fallback) {
  std::string joined;
  std::string current = code;
  while (true) {
    const auto found = names.find(current);
    if (found == names.end()) break;
    joined = joined.empty() ? found->second : std::string(found->second).append(" → ").append(joined);
    const std::string parent = structure.parentOf(current);
    if (parent == current) break;
    current = parent;
  }
  return joined.empty() ? fallback : joined;
}

// The member that stores a field; the year-opening balances are computed instead.
Money OpeningRow::*member(OpeningField field) {
  switch (field) {
    case OpeningField::RawDebit:
      return &OpeningRow::rawDebit;
    case OpeningField::Debit:
      return &OpeningRow::debit;
    case OpeningField::RawCredit:
      return &OpeningRow::rawCredit;
    case OpeningField::Credit:
      return &OpeningRow::credit;
    case OpeningField::RawBalance:
      return &OpeningRow::rawBalance;
    case OpeningField::Balance:
      return &OpeningRow::balance;
    case OpeningField::ProfitLoss:
      return &OpeningRow::profitLoss;
    case OpeningField::YDebit:
      return &OpeningRow::yDebit;
    case OpeningField::YCredit:
      return &OpeningRow::yCredit;
    case OpeningField::MDebit:
      return &OpeningRow::mDebit;
    case OpeningField::MCredit:
      return &OpeningRow::mCredit;
    case OpeningField::YearOpening:
    case OpeningField::RawYearOpening:
      break;
  }
  throw std::logic_error("the year-opening balance is computed, not stored");
}

}  // namespace

Money OpeningRow::value(OpeningField field) const {
  if (field == OpeningField::YearOpening) return debitSide ? balance - (debit - credit) : balance - (credit - debit);
  if (field == OpeningField::RawYearOpening)
    return debitSide ? rawBalance - (rawDebit - rawCredit) : rawBalance - (rawCredit - rawDebit);
  return this->*member(field);
}

Money& OpeningRow::stored(OpeningField field) { return this->*member(field); }

std::vector<OpeningCurrency> OpeningCurrencies(data::Connection& db) {
  std::vector<OpeningCurrency> out;
  for (const auto& row : db.query("SELECT MONEYID, NAME, RATE FROM Currency WHERE MONEYID>=0 AND MONEYID<99 "
                                  "ORDER BY MONEYID"))
    out.push_back({static_cast<int>(row.integer("MONEYID")), row.text("NAME"), row.money("RATE")});
  out.push_back({kAllCurrencies, kAllCurrenciesName, Money::fromInteger(1)});
  return out;
}

std::vector<OpeningRow> LoadOpeningRows(data::Connection& db, const base::CodeStructure& structure, int moneyId,
                                        bool levelOneOnly) {
  std::string sql = std::string("SELECT ") + kRowColumns + " FROM SubjectStartData WHERE MONEYID=:money";
  data::Params params{{"money", moneyId}};
  if (moneyId == kAllCurrencies) {
    sql += " AND MNYIDSUBJECTID<>:total";
    params.push_back({"total", kGrandTotalKey});
  } else {
    sql += " AND DETAILFLAG='T'";
  }
  if (levelOneOnly) {
    sql += " AND length(SUBJECTID)=:length";
    params.push_back({"length", LevelOneLength(structure)});
  }
  sql += " ORDER BY SUBJECTID";

  std::map<std::string, std::string> names;
  for (const auto& row : db.query("SELECT SUBJECTID, NAME FROM Subject"))
    names[row.text("SUBJECTID")] = row.text("NAME");
  std::vector<OpeningRow> rows;
  for (const auto& row : db.query(sql, params)) {
    OpeningRow shown = rowOf(row);
    shown.name = fullName(names, structure, shown.subjectId, shown.name);
    rows.push_back(std::move(shown));
  }
  return rows;
}

OpeningRow LoadTotalLine(data::Connection& db, int moneyId, const std::vector<OpeningRow>& rows) {
  OpeningRow total;
  if (moneyId == kAllCurrencies) {
    const auto row =
        db.queryOne(std::string("SELECT ") + kRowColumns + " FROM SubjectStartData WHERE MNYIDSUBJECTID=:total",
                    {{"total", kGrandTotalKey}});
    if (row) total = rowOf(*row);
  } else {
    for (const OpeningRow& row : rows) {
      total.rawDebit += row.rawDebit;
      total.rawCredit += row.rawCredit;
      total.rawBalance += row.debitSide ? row.rawBalance : -row.rawBalance;
      total.debit += row.debit;
      total.credit += row.credit;
      total.balance += row.debitSide ? row.balance : -row.balance;
      total.profitLoss += row.profitLoss;
      total.yDebit += row.yDebit;
      total.yCredit += row.yCredit;
      total.mDebit += row.mDebit;
      total.mCredit += row.mCredit;
    }
  }
  total.key.clear();
  total.subjectId.clear();
  total.name = "合计";
  total.debitSide = true;
  total.detail = false;
  return total;
}

}  // namespace qj::subjects
