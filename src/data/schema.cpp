#include "data/schema.h"

#include <algorithm>
#include <cctype>

#include "data/dialect.h"

namespace qj::data {
namespace {

bool sameName(std::string_view left, std::string_view right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                    [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

BookFormatError notABook(const Connection& connection) {
  return BookFormatError("数据库“" + connection.location() + "”不是青简帐套（没有青简的帐套版本信息），不能打开。");
}

BookFormatError newerBook(int version) {
  return BookFormatError("此帐套由较新版本的青简创建（版本 " + std::to_string(version) + "），请升级程序后再打开");
}

// The steps that take a book from `from` to `to`, in order; a gap in the chain
// is a fault of the program, found before the book is touched.
std::vector<const UpgradeStep*> stepsBetween(const std::vector<UpgradeStep>& steps, int from, int to) {
  std::vector<const UpgradeStep*> chain;
  for (int version = from; version < to; ++version) {
    auto it = std::find_if(steps.begin(), steps.end(), [&](const UpgradeStep& s) { return s.fromVersion == version; });
    if (it == steps.end() || !it->apply)
      throw std::logic_error("no schema upgrade step from version " + std::to_string(version));
    chain.push_back(&*it);
  }
  return chain;
}

}  // namespace

const ColumnDef* TableDef::column(std::string_view columnName) const {
  for (const auto& c : columns)
    if (sameName(c.name, columnName)) return &c;
  return nullptr;
}

const TableDef* FindSchemaTable(std::string_view name) {
  for (const auto& table : SchemaTables())
    if (sameName(table.name, name)) return &table;
  return nullptr;
}

bool IsVoucherCodeCollision(const DbError& error) {
  return error.kind() == DbErrorKind::DuplicateKey &&
         std::string_view(error.what()).find(kVoucherCodeIndex) != std::string_view::npos;
}

const std::vector<UpgradeStep>& UpgradeSteps() {
  // Each step takes a book from fromVersion to fromVersion + 1, for example
  //   {1, [](Connection& c) { c.executeScript(AddColumnSql(c.engine(), "Subject", ...)); }},
  // together with the same change in the table list and kSchemaVersion raised.
  static const std::vector<UpgradeStep> steps;
  return steps;
}

void CreateSchema(Connection& connection) {
  Transaction transaction(connection);
  // Looked at inside the transaction, so two programs creating the same book
  // cannot both find it empty.
  if (!connection.query(UserTablesSql(connection.engine())).empty())
    throw BookFormatError("数据库“" + connection.location() +
                          "”中已经有数据表，不能在其中新建帐套；请选择一个空的数据库。");
  for (const auto& table : SchemaTables())
    for (const auto& statement : CreateTableSql(connection.engine(), table)) connection.executeScript(statement);
  connection.execute("INSERT INTO SchemaInfo (SCHEMAVERSION, APPLICATION) VALUES (:version, :application)",
                     {{"version", kSchemaVersion}, {"application", std::string(kSchemaApplication)}});
  transaction.commit();
}

int StoredSchemaVersion(Connection& connection) {
  if (!connection.tableExists("SchemaInfo")) throw notABook(connection);
  const Rows rows = connection.query("SELECT SCHEMAVERSION, APPLICATION FROM SchemaInfo");
  if (rows.size() != 1 || rows.front().text("APPLICATION") != kSchemaApplication) throw notABook(connection);
  const std::int64_t version = rows.front().integer("SCHEMAVERSION");
  if (version < 1 || version > 1'000'000)
    throw BookFormatError("帐套的版本信息已损坏（版本 " + std::to_string(version) + "），不能打开。");
  return static_cast<int>(version);
}

void OpenSchema(Connection& connection) { OpenSchema(connection, UpgradeSteps(), kSchemaVersion); }

void OpenSchema(Connection& connection, const std::vector<UpgradeStep>& steps, int targetVersion) {
  const int stored = StoredSchemaVersion(connection);
  if (stored > targetVersion) throw newerBook(stored);
  if (stored == targetVersion) return;
  stepsBetween(steps, stored, targetVersion);  // a missing step throws before anything changes

  Transaction transaction(connection);
  // Touching the version row first makes a second program opening the book
  // at the same time wait here, and then find the book already upgraded.
  connection.execute("UPDATE SchemaInfo SET SCHEMAVERSION = SCHEMAVERSION WHERE APPLICATION = :application",
                     {{"application", std::string(kSchemaApplication)}});
  int version = StoredSchemaVersion(connection);
  if (version > targetVersion) throw newerBook(version);
  for (const UpgradeStep* step : stepsBetween(steps, version, targetVersion)) {
    try {
      step->apply(connection);
    } catch (const std::exception& error) {
      // Leaving this scope rolls the whole upgrade back.
      throw BookFormatError("帐套从版本 " + std::to_string(step->fromVersion) + " 升级到版本 " +
                            std::to_string(step->fromVersion + 1) + " 时出错，帐套保持原样未作改动：" + error.what());
    }
    version = step->fromVersion + 1;
  }
  connection.execute("UPDATE SchemaInfo SET SCHEMAVERSION = :version WHERE APPLICATION = :application",
                     {{"version", version}, {"application", std::string(kSchemaApplication)}});
  transaction.commit();
}

}  // namespace qj::data
