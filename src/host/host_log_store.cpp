#include "host/host_log_store.h"

#include "data/dialect.h"

namespace qj::host {

void WriteHostLog(data::Connection& db, const std::string& user, int code, const std::string& text) {
  db.execute("INSERT INTO HostLog (LOGTIME, USERNAME, LOGCODE, LOGTEXT) VALUES (" +
                 std::string(data::CurrentLocalDateTimeSql(db.engine())) + ", :user, :code, :text)",
             {{"user", user}, {"code", code}, {"text", text}});
}

std::vector<HostLogEntry> ReadHostLog(data::Connection& db, int limit, std::optional<int> code) {
  data::Params params{{"limit", limit}};
  std::string where;
  if (code) {
    where = " WHERE LOGCODE = :code";
    params.push_back({"code", *code});
  }
  std::vector<HostLogEntry> entries;
  for (const data::Row& row : db.query("SELECT LOGTIME, USERNAME, LOGCODE, LOGTEXT FROM HostLog" + where +
                                           " ORDER BY LOGTIME DESC, LOGID DESC LIMIT :limit",
                                       params))
    entries.push_back(
        {row.text("LOGTIME"), row.text("USERNAME"), static_cast<int>(row.integer("LOGCODE")), row.text("LOGTEXT")});
  return entries;
}

std::vector<int> ReadHostLogCodes(data::Connection& db) {
  std::vector<int> codes;
  for (const data::Row& row : db.query("SELECT DISTINCT LOGCODE FROM HostLog ORDER BY LOGCODE"))
    codes.push_back(static_cast<int>(row.integer("LOGCODE")));
  return codes;
}

}  // namespace qj::host
