#include "periodend/posting_check_store.h"

namespace qj::periodend {

void DeleteOrphanVoucherRows(data::Connection& db) {
  data::Transaction orphans(db);
  // Each test is one lookup in the other table's key: NOT IN over a
  // subquery is quadratic on a server that cannot hash the whole book.
  db.execute(
      "DELETE FROM VoucherDetail WHERE NOT EXISTS "
      "(SELECT 1 FROM VoucherMaster m WHERE m.CREDID=VoucherDetail.CREDID)");
  db.execute(
      "DELETE FROM VoucherMaster WHERE NOT EXISTS "
      "(SELECT 1 FROM VoucherDetail d WHERE d.CREDID=VoucherMaster.CREDID)");
  db.execute(
      "DELETE FROM FluxionDistribute WHERE NOT EXISTS "
      "(SELECT 1 FROM VoucherMaster m WHERE m.CREDID=FluxionDistribute.CREDID)");
  orphans.commit();
}

void ForEachMonthLineToCheck(data::Connection& db, const Period& month,
                             const std::function<bool(const CheckedLine&)>& visit) {
  db.forEachRow(
      "SELECT m.CREDID, m.CREDNO, d.DEBIT, d.CREDIT, s.DETAILFLAG, s.SUBJECTID AS KNOWN FROM VoucherMaster m "
      "JOIN VoucherDetail d ON d.CREDID=m.CREDID LEFT JOIN Subject s ON s.SUBJECTID=d.SUBJECTID "
      "WHERE m.CREDID>:first AND m.CREDID<=:last ORDER BY m.CREDID, d.FENLUNO",
      {{"first", month.text() + "000000"}, {"last", month.text() + "999999"}}, [&visit](const data::Row& row) {
        return visit({row.text("CREDID"), row.integer("CREDNO"), row.money("DEBIT"), row.money("CREDIT"),
                      !row.isNull("KNOWN") && row.text("DETAILFLAG") == "T"});
      });
}

}  // namespace qj::periodend
