// The SQL that differs between the embedded engine (SQLite) and the server
// (PostgreSQL). Everything else the program writes is common to both:
//
//  - string concatenation is `a || b`; substr(text, from, length) and
//    CAST(x AS VARCHAR(n)) work alike;
//  - an upsert is INSERT ... ON CONFLICT (key columns) DO UPDATE SET ...,
//    optionally with RETURNING;
//  - LIKE is case-sensitive (the SQLite connection switches case_sensitive_like on),
//    and text columns compare and sort by code point (PostgreSQL ones are
//    COLLATE "C"), so a LIKE 'prefix%' uses an index on both;
//  - identifiers are written unquoted: PostgreSQL folds them to lower case, and
//    query results are read by column name case-insensitively;
//  - SUM over a BIGINT (money) column is NUMERIC on PostgreSQL; the value is
//    still a whole number of ten-thousandths, read it with Row::integer/money;
//  - dates and times travel as "YYYY-MM-DD HH:MM:SS" text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/connection.h"
#include "data/schema.h"

namespace qj::data {

// The column type as written in CREATE TABLE.
std::string ColumnTypeSql(Engine engine, const ColumnDef& column);

// A complete column definition (name, type, NOT NULL, and on SQLite the checks
// that make it refuse what the server's typed column would refuse: a text
// longer than its width, a number out of the 16- or 32-bit range).
std::string ColumnSql(Engine engine, const ColumnDef& column);

// CREATE TABLE followed by the CREATE INDEX statements of the table.
std::vector<std::string> CreateTableSql(Engine engine, const TableDef& table);
std::string CreateIndexSql(const TableDef& table, const IndexDef& index);

// ALTER TABLE ... ADD COLUMN, for upgrade steps. The column must be nullable or
// the table empty.
std::string AddColumnSql(Engine engine, std::string_view table, const ColumnDef& column);

// The server's current local date and time to the second, as an SQL expression
// usable wherever a value is (SQLite datetime('now','localtime'), PostgreSQL
// LOCALTIMESTAMP(0)).
std::string_view CurrentLocalDateTimeSql(Engine engine);

// A query with one column: the names of the user tables of the database (on
// PostgreSQL those of the first schema on the search path).
std::string_view UserTablesSql(Engine engine);

// A condition that holds for the rows of `table`, named `alias` in the query,
// that meet `condition` (written on `alias` alone, no other table of the
// query), for a condition that an index narrows to a small part of the
// table. SQLite would fetch each such row from the table in the index's
// order, a search from the root for every row; here it gathers their row ids
// first and reads the rows in the order they are stored (two to three times
// faster for a twentieth of the table, slower for most of it). PostgreSQL's
// bitmap scans read in stored order already: there it is the condition itself.
std::string FewRowsInStoredOrderSql(Engine engine, std::string_view table, std::string_view alias,
                                    std::string_view condition);

}  // namespace qj::data
