#include "balances/profit_loss_store.h"

namespace qj::balances {

void AddProfitAndLossFigures(data::Connection& db, const Period& month,
                             const std::map<std::string, ProfitLossFigures>& figures) {
  data::Transaction tx(db);
  for (const auto& [subject, figure] : figures) {
    db.execute(
        "INSERT INTO ProfitAndLoss (SUBJECTID, YEARMON, DEBIT, CREDIT, YDEBIT, YCREDIT) "
        "VALUES (:subject, :month, :debit, :credit, :debit, :credit) "
        "ON CONFLICT (SUBJECTID, YEARMON) DO UPDATE SET "
        "DEBIT=COALESCE(ProfitAndLoss.DEBIT, 0)+excluded.DEBIT, CREDIT=COALESCE(ProfitAndLoss.CREDIT, "
        "0)+excluded.CREDIT, "
        "YDEBIT=COALESCE(ProfitAndLoss.YDEBIT, 0)+excluded.YDEBIT, "
        "YCREDIT=COALESCE(ProfitAndLoss.YCREDIT, 0)+excluded.YCREDIT",
        {{"subject", subject}, {"month", month.text()}, {"debit", figure.debit}, {"credit", figure.credit}});
  }
  tx.commit();
}

}  // namespace qj::balances
