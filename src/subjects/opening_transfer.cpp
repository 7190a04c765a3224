#include "subjects/opening_transfer.h"

#include "balances/period_roll_store.h"
#include "base/book_state_store.h"
#include "data/period.h"
#include "subjects/opening_total_store.h"

namespace qj::subjects {

bool TransferOpeningToLedger(data::Connection& db, const base::CodeStructure& structure, const AccountBooksData& book) {
  data::Transaction tx(db);
  if (!base::IsStartPeriod(db, book)) return false;
  const Period period{book.CurrYear, book.CurrMon};
  ReWriteSubjectDataTotal(db, structure);
  balances::BuildStartPeriodLedger(db, structure, period);
  balances::ApplyDepreciationWorkload(db, period);
  tx.commit();
  return true;
}

}  // namespace qj::subjects
