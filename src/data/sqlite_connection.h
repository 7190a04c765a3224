// The embedded engine: one SQLite file per account book.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/named_parameters.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qj::data {

class SqliteConnection final : public Connection {
 public:
  // Opens the file in WAL mode with foreign keys on and a busy timeout.
  // With ExistingOnly a missing file is a Connection error, not a new empty book.
  SqliteConnection(const std::string& path, OpenMode mode);
  ~SqliteConnection() override;

  [[nodiscard]] Engine engine() const override { return Engine::Sqlite; }
  [[nodiscard]] std::string location() const override { return path_; }
  std::int64_t execute(std::string_view sql, const Params& params) override;
  Rows query(std::string_view sql, const Params& params) override;
  void forEachRow(std::string_view sql, const Params& params, const std::function<bool(const Row&)>& visit) override;
  void insertRows(std::string_view table, std::span<const std::string_view> columns,
                  std::span<const Value> values) override;
  void executeScript(std::string_view sql) override;
  bool tableExists(std::string_view table) override;

 private:
  sqlite3_stmt* prepared(std::string_view sql, const Params& params);
  // Steps through the statement's rows, handing each to `visit` until it
  // returns false; the statement is reset afterwards.
  void stepRows(sqlite3_stmt* stmt, std::string_view sql, const std::function<bool(Row&)>& visit);
  [[noreturn]] void fail(int code, std::string_view sql) const;

  std::string path_;
  sqlite3* db_ = nullptr;
  // A prepared statement with its parameter uses and their bind indexes, so
  // that running it again parses nothing.
  struct Cached {
    sqlite3_stmt* stmt = nullptr;
    std::vector<NamedParameterUse> uses;
    std::vector<int> indexes;  // sqlite3_bind_parameter_index of each use
  };
  std::map<std::string, Cached, std::less<>> cache_;
};

}  // namespace qj::data
