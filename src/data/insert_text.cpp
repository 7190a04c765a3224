#include "data/insert_text.h"

#include "data/db_error.h"

namespace qj::data {

void CheckRowShape(std::span<const std::string_view> columns, std::span<const Value> values) {
  if (columns.empty() || values.size() % columns.size() != 0)
    throw DbError(DbErrorKind::Other, "插入的值的个数不是列数的整数倍");
}

std::string ColumnList(std::span<const std::string_view> columns) {
  std::string list;
  for (std::size_t i = 0; i < columns.size(); ++i) list.append(i == 0 ? "" : ", ").append(columns[i]);
  return list;
}

std::string InsertHead(std::string_view table, std::span<const std::string_view> columns) {
  std::string sql = "INSERT INTO ";
  return sql.append(table).append(" (").append(ColumnList(columns)).append(") VALUES ");
}

}  // namespace qj::data
