// The account-book schema: every table of a book described as data, created for
// a new book, and checked and brought up to date when a book is opened.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/connection.h"

namespace qj::data {

// The version of the schema this program writes. A book records the version it
// was last brought to in SchemaInfo; raising this number needs an upgrade step
// from the previous version in UpgradeSteps().
inline constexpr int kSchemaVersion = 1;
// What SchemaInfo.APPLICATION holds in every book of this program.
inline constexpr std::string_view kSchemaApplication = "qingjian";

// The logical column types. Amounts, rates and every other fractional figure are
// Money: a BIGINT of ten-thousandths on every engine, never a floating column.
enum class ColumnType {
  String,    // at most `width` characters
  SmallInt,  // 16-bit
  Integer,   // 32-bit
  BigInt,    // 64-bit
  Money,     // 64-bit count of ten-thousandths (qj::Money units)
  DateTime,  // date and time to the second
  Date,      // date only
  Bytes,     // binary data
};

struct ColumnDef {
  std::string name;
  ColumnType type = ColumnType::String;
  int width = 0;          // String only
  bool required = false;  // NOT NULL; always true for key columns
  bool identity = false;  // the engine numbers new rows (a single BIGINT key only)
};

// A secondary index. A part is a column name or, for expression indexes, an
// expression both engines accept in CREATE INDEX (a plain function call).
struct IndexDef {
  std::string name;
  std::vector<std::string> parts;
  bool unique = false;
};

struct TableDef {
  std::string name;
  std::vector<ColumnDef> columns;
  std::vector<std::string> primaryKey;  // empty: the table has no key
  std::vector<IndexDef> indexes;
  // How full the server engine packs a page on insert, in percent. Below 100
  // leaves room for a row's new version beside the old one, so that flipping
  // a flag in many rows at once (audit, posting) touches no index.
  int fillFactor = 100;

  // The column of that name (case-insensitive), or nullptr.
  [[nodiscard]] const ColumnDef* column(std::string_view columnName) const;
};

// Every table of a book at kSchemaVersion, in creation order.
const std::vector<TableDef>& SchemaTables();
// The table of that name (case-insensitive), or nullptr.
const TableDef* FindSchemaTable(std::string_view name);

// The unique index that keeps a voucher's number within its type and month
// (VoucherMaster.CREDCODE) from being given twice. Its name is the phrase the
// voucher save looks for in the engine's error text, so a duplicate number is
// recognisable on every engine.
inline constexpr std::string_view kVoucherCodeIndex = "凭证号重复";
// Whether a database error is the refusal of a second voucher with the same
// type, month and number.
bool IsVoucherCodeCollision(const DbError& error);

// A database that cannot be used as a book of this program, with a Chinese
// message for the user.
class BookFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Turns a book at `fromVersion` into one at `fromVersion + 1`. Runs inside the
// transaction of the whole upgrade; throwing rolls the whole upgrade back.
// A step must leave the book as CreateSchema would have made it at the new
// version.
struct UpgradeStep {
  int fromVersion = 0;
  std::function<void(Connection&)> apply;
};

// The upgrade steps of this program, in order (none while kSchemaVersion is 1).
const std::vector<UpgradeStep>& UpgradeSteps();

// Creates every table and index of a new book and records kSchemaVersion, in one
// transaction. Throws BookFormatError when the database already holds tables.
void CreateSchema(Connection& connection);

// Checks the book on open: throws BookFormatError when the database is not a
// book of this program or was written by a newer version; runs the missing
// upgrade steps, in order and in one transaction, for an older book.
void OpenSchema(Connection& connection);
// The same with other steps and target version (lets tests exercise upgrades).
void OpenSchema(Connection& connection, const std::vector<UpgradeStep>& steps, int targetVersion);

// The version recorded in the book; throws BookFormatError when there is none.
int StoredSchemaVersion(Connection& connection);

}  // namespace qj::data
