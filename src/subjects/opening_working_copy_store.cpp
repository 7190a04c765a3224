#include "subjects/opening_working_copy_store.h"

#include <string>

#include "data/schema.h"
#include "subjects/opening_columns.h"

namespace qj::subjects {

void SaveWorkingCopy(data::Connection& db) {
  std::string columns;
  for (const auto& column : data::FindSchemaTable("SubjectStartData")->columns) {
    if (!columns.empty()) columns += ", ";
    columns += column.name;
  }
  data::Transaction tx(db);
  db.execute("DELETE FROM SubjectStartDatatemp");
  db.execute("INSERT INTO SubjectStartDatatemp (" + columns + ") SELECT " + columns + " FROM SubjectStartData");
  tx.commit();
}

void RestoreWorkingCopy(data::Connection& db) {
  std::string set = "RATE=T.RATE";
  for (std::string_view column : kOpeningAmountColumns) set.append(", ").append(column).append("=T.").append(column);
  db.execute("UPDATE SubjectStartData SET " + set +
             " FROM SubjectStartDatatemp T WHERE T.MNYIDSUBJECTID=SubjectStartData.MNYIDSUBJECTID");
}

}  // namespace qj::subjects
