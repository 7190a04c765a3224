#include "subjects/opening_transfer.h"

#include "data/period.h"
#include "package/book_state.h"
#include "periodend/period_balances.h"
#include "subjects/opening_totals.h"

namespace qj::subjects {

bool TransferOpeningToLedger(data::Connection& db, const CodeStructure& structure, const AccountBooksData& book) {
  data::Transaction tx(db);
  if (!package::IsStartPeriod(db, book)) return false;
  const Period period{book.CurrYear, book.CurrMon};
  ReWriteSubjectDataTotal(db, structure);
  periodend::BuildStartPeriodLedger(db, structure, period);
  periodend::ApplyDepreciationWorkload(db, period);
  tx.commit();
  return true;
}

}  // namespace qj::subjects
