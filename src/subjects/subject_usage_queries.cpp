#include "subjects/subject_usage_queries.h"

namespace qj::subjects {

bool IsUsed(data::Connection& db, const std::string& code) {
  // One indexed probe per table, stopping at the first that answers.
  static const char* const kProbes[] = {
      "SELECT 1 FROM VoucherDetail WHERE SUBJECTID=:code LIMIT 1",
      ("SELECT 1 FROM SubjectStartData WHERE SUBJECTID=:code AND (COALESCE(DEBIT, 0)<>0 OR COALESCE(CREDIT, 0)<>0 "
       "OR COALESCE(Balance, 0)<>0 OR COALESCE(PLHAVEDONE, 0)<>0) LIMIT 1"),
      "SELECT 1 FROM Bank WHERE SUBJECTID=:code LIMIT 1",
      "SELECT 1 FROM Discount WHERE SUBJECTID=:code LIMIT 1",
      "SELECT 1 FROM IncomePayoutType WHERE SUBJECTID=:code LIMIT 1",
  };
  for (const char* probe : kProbes)
    if (db.queryOne(probe, {{"code", code}})) return true;
  return false;
}

bool IsCostReferenced(data::Connection& db, const std::string& code) {
  return db
      .queryOne(
          "SELECT 1 FROM CostMeans WHERE substr(iSubjectID, 1, :length)=:code OR substr(sSubjectID, 1, :length)=:code "
          "OR substr(pSubjectID, 1, :length)=:code LIMIT 1",
          {{"length", static_cast<long>(code.size())}, {"code", code}})
      .has_value();
}

}  // namespace qj::subjects
