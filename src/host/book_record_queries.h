// What opening a book checks of its chart before the rules may rely on it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"

namespace qj::host {

// The first subject (in code order) whose code is as long as none of the
// levels' cumulative lengths; nothing when every code fits.
std::optional<std::string> FirstSubjectOutsideLevels(data::Connection& db, const std::vector<int>& lengths);

}  // namespace qj::host
