#include "host/advisory_lock_queries.h"

namespace qj::host::detail {
namespace {

// Runs one advisory-lock call on (book, resource); each answers 1 when it succeeded.
bool answered(data::Connection& db, const char* statement, std::int32_t book, int resource) {
  return data::IntegerOf(db.scalar(statement, {{"book", static_cast<long long>(book)}, {"resource", resource}})) == 1;
}

}  // namespace

bool TryAdvisoryLock(data::Connection& db, std::int32_t book, int resource, bool shared) {
  return answered(db,
                  shared ? "SELECT CASE WHEN pg_try_advisory_lock_shared(CAST(:book AS integer), "
                           "CAST(:resource AS integer)) THEN 1 ELSE 0 END"
                         : "SELECT CASE WHEN pg_try_advisory_lock(CAST(:book AS integer), CAST(:resource AS integer)) "
                           "THEN 1 ELSE 0 END",
                  book, resource);
}

bool AdvisoryUnlock(data::Connection& db, std::int32_t book, int resource, bool shared) {
  return answered(db,
                  shared ? "SELECT CASE WHEN pg_advisory_unlock_shared(CAST(:book AS integer), "
                           "CAST(:resource AS integer)) THEN 1 ELSE 0 END"
                         : "SELECT CASE WHEN pg_advisory_unlock(CAST(:book AS integer), CAST(:resource AS integer)) "
                           "THEN 1 ELSE 0 END",
                  book, resource);
}

void AdvisoryUnlockAll(data::Connection& db) { db.scalar("SELECT pg_advisory_unlock_all()"); }

void SetSessionSetting(data::Connection& db, const std::string& name, const std::string& value) {
  db.scalar("SELECT set_config(:name, :value, false)", {{"name", name}, {"value", value}});
}

}  // namespace qj::host::detail
