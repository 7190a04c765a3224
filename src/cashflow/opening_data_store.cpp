#include "cashflow/opening_data_store.h"

namespace qj::cashflow {

bool ItemCarriesOpeningAmounts(data::Connection& db, const std::string& code) {
  return data::IntegerOf(db.scalar("SELECT COUNT(*) FROM FluxionInit WHERE CashID=:code AND (Debit<>0 OR Credit<>0)",
                                   {{"code", code}})) > 0;
}

std::vector<std::string> SelectOpeningDataCodes(data::Connection& db, const std::string& period) {
  std::vector<std::string> codes;
  for (const auto& row : db.query("SELECT CashID FROM FluxionInit WHERE YearMon=:period", {{"period", period}}))
    codes.push_back(row.text("CashID"));
  return codes;
}

std::vector<OpeningDataRow> SelectOpeningData(data::Connection& db, const std::string& period) {
  std::vector<OpeningDataRow> rows;
  for (const auto& row :
       db.query("SELECT CashID, Debit, Credit FROM FluxionInit WHERE YearMon=:period", {{"period", period}}))
    rows.push_back({row.text("CashID"), "", false, row.money("Debit"), row.money("Credit")});
  return rows;
}

void InsertEmptyOpeningDataRow(data::Connection& db, const std::string& period, const std::string& code) {
  db.execute("INSERT INTO FluxionInit (YearMon, CashID, Debit, Credit) VALUES (:period, :code, 0, 0)",
             {{"period", period}, {"code", code}});
}

void WriteOpeningAmounts(data::Connection& db, const std::string& period, const OpeningDataRow& row) {
  const data::Params values = {{"debit", row.debit}, {"credit", row.credit}, {"period", period}, {"code", row.code}};
  if (db.execute("UPDATE FluxionInit SET Debit=:debit, Credit=:credit WHERE YearMon=:period AND CashID=:code",
                 values) == 0)
    db.execute("INSERT INTO FluxionInit (YearMon, CashID, Debit, Credit) VALUES (:period, :code, :debit, :credit)",
               values);
}

void DeleteOpeningDataRow(data::Connection& db, const std::string& period, const std::string& code) {
  db.execute("DELETE FROM FluxionInit WHERE YearMon=:period AND CashID=:code", {{"period", period}, {"code", code}});
}

void DeleteOpeningDataOfItem(data::Connection& db, const std::string& code) {
  db.execute("DELETE FROM FluxionInit WHERE CashID=:code", {{"code", code}});
}

}  // namespace qj::cashflow
