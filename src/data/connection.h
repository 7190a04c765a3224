// The account-book database connection: one interface, one implementation per engine.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/db_error.h"
#include "data/row.h"
#include "data/value.h"

namespace qj::data {

enum class Engine { Sqlite, Postgres };

// A named parameter; in SQL text it is written ":name".
struct Param {
  std::string name;
  Value value;
};
using Params = std::vector<Param>;

class Connection {
 public:
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  virtual ~Connection() = default;

  [[nodiscard]] virtual Engine engine() const = 0;
  // The file path or the server URI (without any password) the connection was opened on.
  [[nodiscard]] virtual std::string location() const = 0;

  // Runs one statement with named parameters and returns the number of rows it changed.
  // Every ":name" in the text must have a parameter and every parameter must be used.
  virtual std::int64_t execute(std::string_view sql, const Params& params = {}) = 0;
  // Runs one query and returns all its rows.
  virtual Rows query(std::string_view sql, const Params& params = {}) = 0;
  // Runs one query and hands its rows to `visit` one at a time, in order, until
  // `visit` returns false or the rows end; a reader of many rows holds one at
  // a time (on engines that can stream). The row is valid only during the
  // call: the next row may be read into it. `visit` must not use this
  // connection.
  virtual void forEachRow(std::string_view sql, const Params& params, const std::function<bool(const Row&)>& visit);
  // Adds rows to `table`: `values` holds them one after another, each with a
  // value for every one of `columns`, in order. The names are the program's
  // own, never typed text. For many rows at once (an import): each engine
  // takes them its fastest way (a server, in one COPY stream).
  // Runs inside the caller's transaction, if any (without one, each row
  // stands on its own); on an error, rows already added stay until that
  // transaction is rolled back.
  virtual void insertRows(std::string_view table, std::span<const std::string_view> columns,
                          std::span<const Value> values) = 0;
  // Runs several statements without parameters (schema scripts).
  virtual void executeScript(std::string_view sql) = 0;
  [[nodiscard]] virtual bool tableExists(std::string_view table) = 0;

  // The first row of a query, if any.
  std::optional<Row> queryOne(std::string_view sql, const Params& params = {});
  // The first column of the first row; a null value when there is no row.
  Value scalar(std::string_view sql, const Params& params = {});

  [[nodiscard]] bool inTransaction() const { return transactionDepth_ > 0; }

 private:
  friend class Transaction;
  int transactionDepth_ = 0;
};

// A unit of work: rolls back when it goes out of scope without commit().
// Nested transactions on the same connection become savepoints.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction();

  void commit();

 private:
  Connection& connection_;
  int level_;
  bool done_ = false;
};

enum class OpenMode { ExistingOnly, CreateIfMissing };

// Opens a book database: a "postgresql://" (or "postgres://") URI for a server,
// anything else is the path of an embedded SQLite file.
std::unique_ptr<Connection> OpenConnection(const std::string& location, OpenMode mode);
bool IsServerLocation(std::string_view location);

}  // namespace qj::data
