// The pieces of the SQL text that the engines' bulk inserts share.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "data/value.h"

namespace qj::data {

// Throws unless `values` is whole rows of `columns`.
void CheckRowShape(std::span<const std::string_view> columns, std::span<const Value> values);

// "a, b": the column names for a statement's column list.
std::string ColumnList(std::span<const std::string_view> columns);

// "INSERT INTO table (a, b) VALUES ", for a row's placeholders to follow.
std::string InsertHead(std::string_view table, std::span<const std::string_view> columns);

}  // namespace qj::data
