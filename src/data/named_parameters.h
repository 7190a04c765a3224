// Finds the ":name" parameters in SQL text, outside quoted strings and "::" casts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/connection.h"

namespace qj::data {

struct NamedParameterUse {
  std::size_t offset;  // position of the ':'
  std::size_t length;  // including the ':'
  std::string name;
};

std::vector<NamedParameterUse> FindNamedParameters(std::string_view sql);

// The parameter values in the order of their uses in the text; throws DbError
// when a use has no parameter or a parameter is never used.
std::vector<const Value*> OrderParameters(std::string_view sql, const std::vector<NamedParameterUse>& uses,
                                          const Params& params);

}  // namespace qj::data
