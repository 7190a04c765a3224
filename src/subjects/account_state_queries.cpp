#include "subjects/account_state_queries.h"

namespace qj::subjects {

std::optional<std::int64_t> BookStatus(data::Connection& db) {
  const data::Value status = db.scalar("SELECT STATUS FROM AccountState");
  if (status.isNull()) return std::nullopt;
  return data::IntegerOf(status);
}

}  // namespace qj::subjects
