#include "cashflow/item_store.h"

namespace qj::cashflow {

void InsertCashFlowItem(data::Connection& db, const CashFlowItem& item) {
  db.execute("INSERT INTO Fluxion (CASHID, NAME, DCFLAG, DETAILFLAG) VALUES (:code, :name, :direction, :detail)",
             {{"code", item.code},
              {"name", item.name},
              {"direction", item.inflow ? "T" : "F"},
              {"detail", item.detail ? "T" : "F"}});
}

}  // namespace qj::cashflow
