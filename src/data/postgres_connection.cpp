// Placeholder until the server engine lands.
#include "data/postgres_connection.h"

namespace qj::data {
PostgresConnection::PostgresConnection(const std::string& uri) : shownUri_(uri) {
  throw DbError(DbErrorKind::Connection, "PostgreSQL support is not built yet");
}
PostgresConnection::~PostgresConnection() = default;
std::int64_t PostgresConnection::execute(std::string_view, const Params&) { return 0; }
Rows PostgresConnection::query(std::string_view, const Params&) { return {}; }
void PostgresConnection::executeScript(std::string_view) {}
bool PostgresConnection::tableExists(std::string_view) { return false; }
}  // namespace qj::data
