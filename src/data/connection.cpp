#include "data/connection.h"

#include <algorithm>
#include <charconv>

#include "data/postgres_connection.h"
#include "data/sqlite_connection.h"

namespace qj::data {

namespace {
// Whether `name` (lower case, as the rows keep it) is `column` in any case.
bool sameColumn(std::string_view name, std::string_view column) {
  // Column names are ASCII; lowering by hand keeps the locale out of every
  // value read.
  return std::equal(name.begin(), name.end(), column.begin(), column.end(), [](char kept, char asked) {
    return kept == (asked >= 'A' && asked <= 'Z' ? static_cast<char>(asked - 'A' + 'a') : asked);
  });
}
}  // namespace

const Value& Row::operator[](std::string_view column) const {
  for (std::size_t i = 0; i < columns_->size(); ++i)
    if (sameColumn((*columns_)[i], column)) return values_[i];
  throw DbError(DbErrorKind::Other, "查询结果中没有列 " + std::string(column));
}

std::int64_t IntegerOf(const Value& value) {
  const auto& s = value.storage();
  if (std::holds_alternative<std::monostate>(s)) return 0;
  if (const auto* i = std::get_if<std::int64_t>(&s)) return *i;
  if (const auto* t = std::get_if<std::string>(&s)) {
    std::int64_t out = 0;
    auto [end, ec] = std::from_chars(t->data(), t->data() + t->size(), out);
    if (ec == std::errc() && end == t->data() + t->size()) return out;
  }
  throw DbError(DbErrorKind::Other, "数据库中的值不是整数");
}

std::string TextOf(const Value& value) {
  const auto& s = value.storage();
  if (const auto* t = std::get_if<std::string>(&s)) return *t;
  if (const auto* i = std::get_if<std::int64_t>(&s)) return std::to_string(*i);
  if (const auto* b = std::get_if<Blob>(&s)) return std::string(b->begin(), b->end());
  return {};
}

std::string Row::text(std::string_view column) const { return TextOf((*this)[column]); }
std::int64_t Row::integer(std::string_view column) const { return IntegerOf((*this)[column]); }
Money Row::money(std::string_view column) const { return MoneyOf((*this)[column]); }

std::optional<Date> Row::date(std::string_view column) const {
  const Value& v = (*this)[column];
  if (v.isNull()) return std::nullopt;
  return Date::parse(TextOf(v));
}

Blob Row::blob(std::string_view column) const {
  const auto& s = (*this)[column].storage();
  if (const auto* b = std::get_if<Blob>(&s)) return *b;
  if (const auto* t = std::get_if<std::string>(&s)) return Blob(t->begin(), t->end());
  return {};
}

void Connection::forEachRow(std::string_view sql, const Params& params, const std::function<bool(const Row&)>& visit) {
  for (const Row& row : query(sql, params))
    if (!visit(row)) return;
}

std::optional<Row> Connection::queryOne(std::string_view sql, const Params& params) {
  Rows rows = query(sql, params);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

Value Connection::scalar(std::string_view sql, const Params& params) {
  auto row = queryOne(sql, params);
  if (!row || row->size() == 0) return {};
  return row->at(0);
}

Transaction::Transaction(Connection& connection) : connection_(connection), level_(connection.transactionDepth_) {
  if (level_ == 0)
    connection_.executeScript(connection_.engine() == Engine::Sqlite ? "BEGIN IMMEDIATE" : "BEGIN");
  else
    connection_.executeScript("SAVEPOINT qj_level_" + std::to_string(level_));
  ++connection_.transactionDepth_;
}

void Transaction::commit() {
  if (done_) return;
  if (level_ == 0)
    connection_.executeScript("COMMIT");
  else
    connection_.executeScript("RELEASE SAVEPOINT qj_level_" + std::to_string(level_));
  done_ = true;
  connection_.transactionDepth_ = level_;
}

Transaction::~Transaction() {
  if (done_) return;
  connection_.transactionDepth_ = level_;
  try {
    if (level_ == 0) {
      connection_.executeScript("ROLLBACK");
    } else {
      const std::string name = "qj_level_" + std::to_string(level_);
      connection_.executeScript("ROLLBACK TO SAVEPOINT " + name);
      connection_.executeScript("RELEASE SAVEPOINT " + name);
    }
  } catch (const DbError&) {
    // The engine already ended the transaction (for example a lost connection);
    // nothing was committed, which is what a rollback guarantees.
  }
}

bool IsServerLocation(std::string_view location) {
  return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

std::unique_ptr<Connection> OpenConnection(const std::string& location, OpenMode mode) {
  if (IsServerLocation(location)) return std::make_unique<PostgresConnection>(location);
  return std::make_unique<SqliteConnection>(location, mode);
}

std::string DescribeForUser(const DbError& error) {
  switch (error.kind()) {
    case DbErrorKind::DuplicateKey:
      return std::string("数据库中已有相同关键字的记录：") + error.what();
    case DbErrorKind::Constraint:
      return std::string("数据不符合数据库的约束：") + error.what();
    case DbErrorKind::Busy:
      return std::string("数据库正被其他用户使用，请稍后再试：") + error.what();
    case DbErrorKind::Connection:
      return std::string("无法连接帐套数据库：") + error.what();
    case DbErrorKind::Other:
      break;
  }
  return std::string("数据库操作失败：") + error.what();
}

}  // namespace qj::data
