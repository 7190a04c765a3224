#include "data/sqlite_connection.h"

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "data/insert_text.h"
#include "data/named_parameters.h"

namespace qj::data {
namespace {

constexpr int kBusyTimeoutMs = 5000;

DbErrorKind kindOf(int extended) {
  switch (extended) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
      return DbErrorKind::DuplicateKey;
    default:
      break;
  }
  switch (extended & 0xff) {
    case SQLITE_CONSTRAINT:
      return DbErrorKind::Constraint;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return DbErrorKind::Busy;
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return DbErrorKind::Connection;
    default:
      return DbErrorKind::Other;
  }
}

// Resets a cached statement when the caller is done with it, even on error.
struct StatementUse {
  sqlite3_stmt* stmt;
  ~StatementUse() {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
  }
};

// With `copied`, SQLite keeps its own copy of text and bytes; without, the
// value must stay where it is until the statement has run.
int bind(sqlite3_stmt* stmt, int index, const Value& value, bool copied = true) {
  const auto lifetime = copied ? SQLITE_TRANSIENT : SQLITE_STATIC;
  const auto& storage = value.storage();
  if (const auto* n = std::get_if<std::int64_t>(&storage)) return sqlite3_bind_int64(stmt, index, *n);
  if (const auto* s = std::get_if<std::string>(&storage))
    return sqlite3_bind_text(stmt, index, s->data(), static_cast<int>(s->size()), lifetime);
  if (const auto* b = std::get_if<Blob>(&storage))
    // An empty blob is bound as a zero-length blob, not as null.
    return b->empty() ? sqlite3_bind_zeroblob(stmt, index, 0)
                      : sqlite3_bind_blob(stmt, index, b->data(), static_cast<int>(b->size()), lifetime);
  return sqlite3_bind_null(stmt, index);
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, OpenMode mode) : path_(path) {
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
  if (mode == OpenMode::CreateIfMissing) flags |= SQLITE_OPEN_CREATE;
  const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw DbError(DbErrorKind::Connection, "无法打开帐套文件 " + path + "（" + message + "）");
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  try {
    // Reading the schema first turns a file that is not a database into a clear error.
    executeScript("SELECT count(*) FROM sqlite_master");
    // A new book has pages of 16 KB instead of SQLite's 4 KB: a year of voucher
    // lines is read and written in a quarter of the calls to the file system,
    // which cost more than the bytes they move. A file that already holds a
    // database keeps its page size.
    if (mode == OpenMode::CreateIfMissing) executeScript("PRAGMA page_size=16384;");
    // Only a book, or a database being created, is switched to WAL: an empty
    // file or another program's database stays exactly as it was for the
    // refusal that follows. The other settings belong to this connection.
    if (mode == OpenMode::CreateIfMissing || tableExists("SchemaInfo")) executeScript("PRAGMA journal_mode=WAL;");
    // A page cache of 16 MB instead of SQLite's 2 MB: a large write (an
    // import, a month's posting) keeps the index pages it touches again and
    // again instead of spilling them to the log file and reading them back.
    executeScript("PRAGMA foreign_keys=ON; PRAGMA case_sensitive_like=ON; PRAGMA cache_size=-16384;");
  } catch (const DbError& error) {
    const int code = sqlite3_extended_errcode(db_) & 0xff;
    sqlite3_close(db_);
    db_ = nullptr;
    // A file that cannot be read or written (or whose folder cannot take the
    // journal beside it) is not a damaged book: say which it is.
    const bool unreachable = code == SQLITE_CANTOPEN || code == SQLITE_PERM || code == SQLITE_READONLY ||
                             code == SQLITE_IOERR || code == SQLITE_AUTH;
    if (unreachable) {
      throw DbError(DbErrorKind::Connection, "无法读写帐套文件 " + path +
                                                 "，或无法在它所在的文件夹中建立日志文件；请检查文件和文件夹的权限（" +
                                                 error.what() + "）");
    }
    throw DbError(DbErrorKind::Connection, "文件 " + path + " 不是可用的帐套数据库（" + error.what() + "）");
  }
}

SqliteConnection::~SqliteConnection() {
  for (auto& [sql, cached] : cache_) sqlite3_finalize(cached.stmt);
  sqlite3_close_v2(db_);
}

void SqliteConnection::fail(int code, std::string_view sql) const {
  throw DbError(kindOf(code), sqlite3_errmsg(db_), std::string(sql));
}

sqlite3_stmt* SqliteConnection::prepared(std::string_view sql, const Params& params) {
  auto it = cache_.find(sql);
  if (it == cache_.end()) {
    Cached cached{nullptr, FindNamedParameters(sql), {}};
    const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                      &cached.stmt, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
    for (const NamedParameterUse& use : cached.uses)
      cached.indexes.push_back(sqlite3_bind_parameter_index(cached.stmt, (":" + use.name).c_str()));
    it = cache_.emplace(std::string(sql), std::move(cached)).first;
  }
  const Cached& cached = it->second;
  sqlite3_stmt* stmt = cached.stmt;
  const auto ordered = OrderParameters(sql, cached.uses, params);
  for (std::size_t i = 0; i < cached.uses.size(); ++i) {
    const int rc = bind(stmt, cached.indexes[i], *ordered[i]);
    if (rc != SQLITE_OK) {
      sqlite3_reset(stmt);
      sqlite3_clear_bindings(stmt);
      fail(rc, sql);
    }
  }
  return stmt;
}

std::int64_t SqliteConnection::execute(std::string_view sql, const Params& params) {
  sqlite3_stmt* stmt = prepared(sql, params);
  StatementUse use{stmt};
  int rc = SQLITE_ROW;
  while (rc == SQLITE_ROW) rc = sqlite3_step(stmt);
  if (rc != SQLITE_DONE) fail(rc, sql);
  return sqlite3_changes64(db_);
}

void SqliteConnection::stepRows(sqlite3_stmt* stmt, std::string_view sql, const std::function<bool(Row&)>& visit) {
  StatementUse use{stmt};
  const int count = sqlite3_column_count(stmt);
  auto columns = std::make_shared<std::vector<std::string>>();
  for (int i = 0; i < count; ++i) {
    std::string name = sqlite3_column_name(stmt, i);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    columns->push_back(std::move(name));
  }
  Row row(columns, {});
  int rc = 0;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    std::vector<Value>& values = row.valuesToRefill();
    values.clear();
    values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
          values.emplace_back(static_cast<long long>(sqlite3_column_int64(stmt, i)));
          break;
        case SQLITE_TEXT:
          values.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                          static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))));
          break;
        case SQLITE_BLOB: {
          const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt, i));
          values.emplace_back(Blob(data, data + sqlite3_column_bytes(stmt, i)));
          break;
        }
        case SQLITE_FLOAT:
          throw DbError(DbErrorKind::Other, "查询返回了浮点数，金额和数量只能以定点数保存", std::string(sql));
        default:
          values.emplace_back();
      }
    }
    if (!visit(row)) return;
  }
  if (rc != SQLITE_DONE) fail(rc, sql);
}

Rows SqliteConnection::query(std::string_view sql, const Params& params) {
  Rows rows;
  stepRows(prepared(sql, params), sql, [&rows](Row& row) {
    rows.push_back(row.withValues(std::exchange(row.valuesToRefill(), {})));
    return true;
  });
  return rows;
}

void SqliteConnection::forEachRow(std::string_view sql, const Params& params,
                                  const std::function<bool(const Row&)>& visit) {
  stepRows(prepared(sql, params), sql, [&visit](const Row& row) { return visit(row); });
}

void SqliteConnection::insertRows(std::string_view table, std::span<const std::string_view> columns,
                                  std::span<const Value> values) {
  CheckRowShape(columns, values);
  if (values.empty()) return;
  const std::size_t width = columns.size();
  // One row per statement, the statement prepared once: SQLite has no round
  // trip to save, and a statement that writes several rows inside a
  // transaction must be able to undo itself alone, so it first copies each
  // page it changes to a temporary file: for an import, hundreds of
  // thousands of page writes.
  std::string sql = InsertHead(table, columns) + "(?";
  for (std::size_t i = 1; i < width; ++i) sql += ", ?";
  sql += ")";
  sqlite3_stmt* stmt = prepared(sql, {});
  for (std::size_t first = 0; first < values.size(); first += width) {
    StatementUse use{stmt};
    for (std::size_t i = 0; i < width; ++i) {
      // The values outlive the statement's run: SQLite need not copy them.
      const int rc = bind(stmt, static_cast<int>(i + 1), values[first + i], false);
      if (rc != SQLITE_OK) fail(rc, sql);
    }
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE) fail(rc, sql);
  }
}

void SqliteConnection::executeScript(std::string_view sql) {
  const std::string text(sql);
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    std::string what = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    throw DbError(kindOf(sqlite3_extended_errcode(db_)), what, text);
  }
}

bool SqliteConnection::tableExists(std::string_view table) {
  return !query("SELECT name FROM sqlite_master WHERE type='table' AND lower(name)=lower(:name)",
                {{"name", std::string(table)}})
              .empty();
}

}  // namespace qj::data
