// Reading the book's state row (AccountState).
#pragma once

#include <cstdint>
#include <optional>

#include "data/connection.h"

namespace qj::subjects {

// The book's STATUS; none when it holds no value.
std::optional<std::int64_t> BookStatus(data::Connection& db);

}  // namespace qj::subjects
