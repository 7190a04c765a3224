#include "cashflow/item_store.h"

namespace qj::cashflow {

std::vector<CashFlowItem> SelectCashFlowItems(data::Connection& db) {
  std::vector<CashFlowItem> items;
  for (const auto& row : db.query("SELECT CASHID, NAME, DCFLAG, DETAILFLAG FROM Fluxion"))
    items.push_back({row.text("CASHID"), row.text("NAME"), row.flag("DCFLAG"), row.flag("DETAILFLAG")});
  return items;
}

std::optional<PickedItem> FindItemDirection(data::Connection& db, const std::string& code) {
  const auto row = db.queryOne("SELECT CASHID, DCFLAG FROM Fluxion WHERE CASHID=:code", {{"code", code}});
  if (!row) return std::nullopt;
  return PickedItem{row->text("CASHID"), row->flag("DCFLAG")};
}

void InsertCashFlowItem(data::Connection& db, const CashFlowItem& item) {
  db.execute("INSERT INTO Fluxion (CASHID, NAME, DCFLAG, DETAILFLAG) VALUES (:code, :name, :direction, :detail)",
             {{"code", item.code},
              {"name", item.name},
              {"direction", item.inflow ? "T" : "F"},
              {"detail", item.detail ? "T" : "F"}});
}

void UpdateItemNameAndDirection(data::Connection& db, const std::string& code, const std::string& name, bool inflow) {
  db.execute("UPDATE Fluxion SET NAME=:name, DCFLAG=:direction WHERE CASHID=:code",
             {{"name", name}, {"direction", inflow ? "T" : "F"}, {"code", code}});
}

void MarkSummaryItem(data::Connection& db, const std::string& code) {
  db.execute("UPDATE Fluxion SET DETAILFLAG='F' WHERE CASHID=:code", {{"code", code}});
}

void MarkDetailItem(data::Connection& db, const std::string& code) {
  db.execute("UPDATE Fluxion SET DETAILFLAG='T' WHERE CASHID=:code", {{"code", code}});
}

void DeleteCashFlowItem(data::Connection& db, const std::string& code) {
  db.execute("DELETE FROM Fluxion WHERE CASHID=:code", {{"code", code}});
}

}  // namespace qj::cashflow
