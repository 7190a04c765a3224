// Typed database errors; the message is the engine's own text.
#pragma once

#include <stdexcept>
#include <string>

namespace qj::data {

enum class DbErrorKind {
  DuplicateKey,  // a primary-key or unique index already holds the value
  Constraint,    // another constraint (not null, check, foreign key) refused the row
  Busy,          // another session holds what the statement needs; trying later may succeed
  Connection,    // the server or file cannot be reached, opened or authenticated against
  Other,
};

class DbError : public std::runtime_error {
 public:
  DbError(DbErrorKind kind, const std::string& message, std::string sql = {})
      : std::runtime_error(message), kind_(kind), sql_(std::move(sql)) {}

  [[nodiscard]] DbErrorKind kind() const { return kind_; }
  [[nodiscard]] const std::string& sql() const { return sql_; }

 private:
  DbErrorKind kind_;
  std::string sql_;
};

// A Chinese sentence for the user describing the error.
std::string DescribeForUser(const DbError& error);

}  // namespace qj::data
