#include "host/book_record_queries.h"

#include <algorithm>

namespace qj::host {

std::optional<std::string> FirstSubjectOutsideLevels(data::Connection& db, const std::vector<int>& lengths) {
  for (const auto& row : db.query("SELECT DISTINCT length(SUBJECTID) AS CODELENGTH FROM Subject")) {
    const auto length = static_cast<int>(row.integer("CODELENGTH"));
    if (std::find(lengths.begin(), lengths.end(), length) != lengths.end()) continue;
    const auto example = db.queryOne("SELECT SUBJECTID FROM Subject WHERE length(SUBJECTID)=:length ORDER BY SUBJECTID",
                                     {{"length", length}});
    return example ? example->text("SUBJECTID") : std::string();
  }
  return std::nullopt;
}

}  // namespace qj::host
