#include "data/postgres_connection.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <exception>
#include <memory>
#include <optional>

#include "data/insert_text.h"

namespace qj::data {
namespace {

// Type OIDs of the result columns we convert (see pg_type.dat).
constexpr Oid kBoolOid = 16;
constexpr Oid kByteaOid = 17;
constexpr Oid kInt8Oid = 20;
constexpr Oid kInt2Oid = 21;
constexpr Oid kInt4Oid = 23;
constexpr Oid kOidOid = 26;
constexpr Oid kFloat4Oid = 700;
constexpr Oid kFloat8Oid = 701;
constexpr Oid kNumericOid = 1700;

struct ResultDeleter {
  void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// libpq's messages end in a newline; ours are embedded in sentences.
std::string trimmed(const char* text) {
  std::string out = text ? text : "";
  while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back()))) out.pop_back();
  return out;
}

DbErrorKind kindOf(std::string_view state) {
  if (state == "23505") return DbErrorKind::DuplicateKey;
  if (state.starts_with("23")) return DbErrorKind::Constraint;
  if (state == "40001" || state == "40P01" || state == "55P03") return DbErrorKind::Busy;
  if (state.starts_with("08")) return DbErrorKind::Connection;
  return DbErrorKind::Other;
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The first word of the last statement in `sql`: the one whose status PQexec reports.
std::string lastStatementVerb(std::string_view sql) {
  std::size_t end = sql.size();
  while (end > 0 && (std::isspace(static_cast<unsigned char>(sql[end - 1])) || sql[end - 1] == ';')) --end;
  const std::size_t semicolon = sql.rfind(';', end == 0 ? 0 : end - 1);
  std::size_t begin = semicolon == std::string_view::npos || semicolon >= end ? 0 : semicolon + 1;
  while (begin < end && std::isspace(static_cast<unsigned char>(sql[begin]))) ++begin;
  std::size_t wordEnd = begin;
  while (wordEnd < end && std::isalpha(static_cast<unsigned char>(sql[wordEnd]))) ++wordEnd;
  return upper(sql.substr(begin, wordEnd - begin));
}

// The server answers COMMIT of a transaction that an earlier error aborted with
// the status "ROLLBACK" and no error. Reporting that as success would tell the
// caller that work was stored which in fact was thrown away.
void checkNotRolledBack(PGresult* result, std::string_view sql) {
  if (std::string_view(PQcmdStatus(result)) != "ROLLBACK") return;
  const std::string verb = lastStatementVerb(sql);
  if (verb == "ROLLBACK" || verb == "ABORT") return;
  throw DbError(DbErrorKind::Other, "事务中先前的语句已失败，服务器撤销了整个事务，更改没有保存", std::string(sql));
}

std::int64_t integerText(const char* text, std::string_view sql) {
  const std::string_view digits(text);
  std::int64_t out = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
  if (ec != std::errc() || end != digits.data() + digits.size())
    throw DbError(DbErrorKind::Other, "数据库返回的整数 " + std::string(digits) + " 超出范围", std::string(sql));
  return out;
}

// numeric is what the server gives for SUM over bigint columns: integral, but
// possibly beyond what a double could hold exactly. A fractional value has no
// place in our columns (money is counted in ten-thousandths).
std::int64_t numericText(const char* text, std::string_view sql) {
  std::string_view digits(text);
  const std::size_t point = digits.find('.');
  if (point != std::string_view::npos) {
    const std::string_view fraction = digits.substr(point + 1);
    if (fraction.find_first_not_of('0') != std::string_view::npos)
      throw DbError(DbErrorKind::Other,
                    "查询返回了带小数的数值 " + std::string(digits) + "，金额和数量只能以整数单位保存",
                    std::string(sql));
    digits = digits.substr(0, point);
  }
  std::int64_t out = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
  if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
    throw DbError(DbErrorKind::Other, "数据库返回的数值 " + std::string(text) + " 超出整数范围", std::string(sql));
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// bytea in text results is "\x" followed by two hex digits per byte (bytea_output = hex).
Blob byteaText(const char* text, int length, std::string_view sql) {
  const std::string_view hex(text, static_cast<std::size_t>(length));
  if (!hex.starts_with("\\x") || hex.size() % 2 != 0)
    throw DbError(DbErrorKind::Other, "无法读取数据库返回的二进制数据", std::string(sql));
  Blob out;
  out.reserve(hex.size() / 2 - 1);
  for (std::size_t i = 2; i < hex.size(); i += 2) {
    const int high = hexDigit(hex[i]);
    const int low = hexDigit(hex[i + 1]);
    if (high < 0 || low < 0) throw DbError(DbErrorKind::Other, "无法读取数据库返回的二进制数据", std::string(sql));
    out.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return out;
}

Value valueAt(const PGresult* result, int row, int column, std::string_view sql) {
  if (PQgetisnull(result, row, column)) return {};
  const char* text = PQgetvalue(result, row, column);
  switch (PQftype(result, column)) {
    case kInt8Oid:
    case kInt4Oid:
    case kInt2Oid:
    case kOidOid:
      return Value(static_cast<long long>(integerText(text, sql)));
    case kNumericOid:
      return Value(static_cast<long long>(numericText(text, sql)));
    case kBoolOid:
      return Value(text[0] == 't' ? 1 : 0);
    case kByteaOid:
      return Value(byteaText(text, PQgetlength(result, row, column), sql));
    case kFloat4Oid:
    case kFloat8Oid:
      throw DbError(DbErrorKind::Other, "查询返回了浮点数，金额和数量只能以定点数保存", std::string(sql));
    default:
      return Value(std::string(text, static_cast<std::size_t>(PQgetlength(result, row, column))));
  }
}

// Server notices (such as "there is no transaction in progress") are not for the user.
void ignoreNotice(void*, const char*) {}

}  // namespace

std::string UriWithoutPassword(const std::string& uri) {
  std::string out = uri;
  const std::size_t scheme = out.find("://");
  if (scheme == std::string::npos) return out;
  const std::size_t authorityBegin = scheme + 3;
  const std::size_t authorityEnd = std::min(out.find('/', authorityBegin), out.find('?', authorityBegin));
  const std::size_t at = out.rfind('@', authorityEnd == std::string::npos ? std::string::npos : authorityEnd);
  if (at != std::string::npos && at >= authorityBegin) {
    const std::size_t colon = out.find(':', authorityBegin);
    if (colon < at) out.erase(colon, at - colon);
  }
  // A password may also travel as a query option.
  const std::size_t query = out.find('?');
  if (query == std::string::npos) return out;
  std::string kept;
  std::size_t begin = query + 1;
  while (begin <= out.size()) {
    std::size_t end = out.find('&', begin);
    if (end == std::string::npos) end = out.size();
    const std::string option = out.substr(begin, end - begin);
    if (!option.empty() && !option.starts_with("password=")) kept += (kept.empty() ? "" : "&") + option;
    begin = end + 1;
  }
  return out.substr(0, query) + (kept.empty() ? "" : "?" + kept);
}

PostgresConnection::PostgresConnection(const std::string& uri) : shownUri_(UriWithoutPassword(uri)) {
  conn_ = PQconnectdb(uri.c_str());
  if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
    const std::string message = conn_ ? trimmed(PQerrorMessage(conn_)) : "内存不足";
    PQfinish(conn_);
    conn_ = nullptr;
    throw DbError(DbErrorKind::Connection, "无法连接数据库服务器 " + shownUri_ + "（" + message + "）");
  }
  PQsetNoticeProcessor(conn_, ignoreNotice, nullptr);
  try {
    if (PQsetClientEncoding(conn_, "UTF8") != 0) throw DbError(DbErrorKind::Connection, trimmed(PQerrorMessage(conn_)));
    // Fixed session settings, so that results read the same whatever the server's defaults.
    executeScript(
        "SET client_min_messages TO warning; SET bytea_output TO hex; SET DateStyle TO ISO, YMD; "
        "SET standard_conforming_strings TO on");
  } catch (const DbError& error) {
    PQfinish(conn_);
    conn_ = nullptr;
    throw DbError(DbErrorKind::Connection, "无法连接数据库服务器 " + shownUri_ + "（" + error.what() + "）");
  }
}

PostgresConnection::~PostgresConnection() { PQfinish(conn_); }

void PostgresConnection::fail(PGresult* result, std::string_view sql) const {
  Result owned(result);
  std::string state;
  std::string message;
  if (result) {
    state = trimmed(PQresultErrorField(result, PG_DIAG_SQLSTATE));
    message = trimmed(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY));
  }
  if (PQstatus(conn_) == CONNECTION_BAD)
    throw DbError(DbErrorKind::Connection, "与数据库服务器的连接已断开（" + trimmed(PQerrorMessage(conn_)) + "）",
                  std::string(sql));
  if (message.empty()) message = trimmed(PQerrorMessage(conn_));
  throw DbError(kindOf(state), message, std::string(sql));
}

const PostgresConnection::Statement& PostgresConnection::prepare(std::string_view sql,
                                                                 std::vector<NamedParameterUse> uses) {
  Statement statement{"qj_" + std::to_string(nextStatement_++), std::move(uses)};
  // Every use of a name becomes its own $n, so that one name may stand in places
  // of different types.
  std::string text;
  std::size_t copied = 0;
  for (std::size_t i = 0; i < statement.uses.size(); ++i) {
    const auto& use = statement.uses[i];
    text.append(sql.substr(copied, use.offset - copied));
    text += "$" + std::to_string(i + 1);
    copied = use.offset + use.length;
  }
  text.append(sql.substr(copied));

  Result result(
      PQprepare(conn_, statement.name.c_str(), text.c_str(), static_cast<int>(statement.uses.size()), nullptr));
  if (!result || PQresultStatus(result.get()) != PGRES_COMMAND_OK) fail(result.release(), sql);
  return prepared_.emplace(std::string(sql), std::move(statement)).first->second;
}

PGresult* PostgresConnection::receiveRows(const std::function<bool(PGresult*)>& rowByRow) {
  std::exception_ptr thrown;
  bool wanted = true;
  PGresult* last = nullptr;
  // Every result is taken, even after the reader stopped or threw: libpq
  // accepts the next statement only then.
  while (PGresult* next = PQgetResult(conn_)) {
    if (PQresultStatus(next) == PGRES_SINGLE_TUPLE) {
      if (wanted && !thrown) {
        try {
          wanted = rowByRow(next);
        } catch (...) {
          thrown = std::current_exception();
        }
      }
      PQclear(next);
      continue;
    }
    PQclear(last);
    last = next;
  }
  if (thrown) {
    PQclear(last);
    std::rethrow_exception(thrown);
  }
  return last;
}

PGresult* PostgresConnection::run(std::string_view sql, const Params& params,
                                  const std::function<bool(PGresult*)>* rowByRow) {
  // Checking the parameters before anything reaches the server keeps a mistake
  // in the caller's code from aborting the caller's transaction.
  const auto cached = prepared_.find(sql);
  std::vector<NamedParameterUse> found;
  if (cached == prepared_.end()) found = FindNamedParameters(sql);
  const auto ordered = OrderParameters(sql, cached == prepared_.end() ? found : cached->second.uses, params);
  const Statement& statement = cached == prepared_.end() ? prepare(sql, std::move(found)) : cached->second;

  static const char kEmpty[] = "";
  const std::size_t count = ordered.size();
  std::vector<std::string> texts(count);
  std::vector<const char*> values(count, nullptr);
  std::vector<int> lengths(count, 0);
  std::vector<int> formats(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const auto& storage = ordered[i]->storage();
    if (const auto* n = std::get_if<std::int64_t>(&storage)) {
      texts[i] = std::to_string(*n);
      values[i] = texts[i].c_str();
    } else if (const auto* s = std::get_if<std::string>(&storage)) {
      if (s->find('\0') != std::string::npos)
        throw DbError(DbErrorKind::Other, "文本参数 " + statement.uses[i].name + " 中含有空字符", std::string(sql));
      values[i] = s->c_str();
    } else if (const auto* b = std::get_if<Blob>(&storage)) {
      // Binary format, so bytes go through unchanged; an empty blob is not a null.
      values[i] = b->empty() ? kEmpty : reinterpret_cast<const char*>(b->data());
      lengths[i] = static_cast<int>(b->size());
      formats[i] = 1;
    }
  }
  PGresult* result = nullptr;
  if (rowByRow == nullptr) {
    result = PQexecPrepared(conn_, statement.name.c_str(), static_cast<int>(count), values.data(), lengths.data(),
                            formats.data(), 0);
  } else {
    if (PQsendQueryPrepared(conn_, statement.name.c_str(), static_cast<int>(count), values.data(), lengths.data(),
                            formats.data(), 0) == 0)
      fail(nullptr, sql);
    // Should single-row mode be refused, the rows arrive in the final result.
    PQsetSingleRowMode(conn_);
    result = receiveRows(*rowByRow);
  }
  const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    // A table changed under a cached statement ("cached plan must not change result
    // type"): prepare it afresh next time.
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (state && std::string_view(state) == "0A000") {
      const Result deallocated(PQexec(conn_, ("DEALLOCATE " + statement.name).c_str()));
      prepared_.erase(prepared_.find(sql));
    }
    fail(result, sql);
  }
  try {
    checkNotRolledBack(result, sql);
  } catch (...) {
    PQclear(result);
    throw;
  }
  return result;
}

std::int64_t PostgresConnection::execute(std::string_view sql, const Params& params) {
  Result result(run(sql, params));
  const char* tuples = PQcmdTuples(result.get());
  if (!tuples || !*tuples) return 0;
  return integerText(tuples, sql);
}

namespace {

// The result's column names in lower case, as rows keep them.
std::shared_ptr<const std::vector<std::string>> columnsOf(const PGresult* result) {
  const int columnCount = PQnfields(result);
  auto columns = std::make_shared<std::vector<std::string>>();
  columns->reserve(static_cast<std::size_t>(columnCount));
  for (int i = 0; i < columnCount; ++i) {
    std::string name = PQfname(result, i);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    columns->push_back(std::move(name));
  }
  return columns;
}

// Reads the result's row `row` into `values`, replacing what they held.
void readRow(const PGresult* result, int row, std::string_view sql, std::vector<Value>& values) {
  const int count = PQnfields(result);
  values.clear();
  values.reserve(static_cast<std::size_t>(count));
  for (int c = 0; c < count; ++c) values.push_back(valueAt(result, row, c, sql));
}

}  // namespace

Rows PostgresConnection::query(std::string_view sql, const Params& params) {
  Result result(run(sql, params));
  const auto columns = columnsOf(result.get());
  const int rowCount = PQntuples(result.get());
  Rows rows;
  rows.reserve(static_cast<std::size_t>(rowCount));
  for (int r = 0; r < rowCount; ++r) {
    std::vector<Value> values;
    readRow(result.get(), r, sql, values);
    rows.emplace_back(columns, std::move(values));
  }
  return rows;
}

void PostgresConnection::forEachRow(std::string_view sql, const Params& params,
                                    const std::function<bool(const Row&)>& visit) {
  std::optional<Row> row;
  bool wanted = true;
  const std::function<bool(PGresult*)> rowByRow = [&](PGresult* result) {
    if (!row) row.emplace(columnsOf(result), std::vector<Value>());
    for (int r = 0; wanted && r < PQntuples(result); ++r) {
      readRow(result, r, sql, row->valuesToRefill());
      wanted = visit(*row);
    }
    return wanted;
  };
  const Result last(run(sql, params, &rowByRow));
  if (wanted && PQntuples(last.get()) > 0) rowByRow(last.get());
}

namespace {

// A value as COPY's text format writes it: \N for null, backslash escapes for
// the separators, bytea as escaped hex.
void appendCopyText(std::string& out, const Value& value, std::string_view sql) {
  const auto& storage = value.storage();
  if (const auto* n = std::get_if<std::int64_t>(&storage)) {
    out += std::to_string(*n);
  } else if (const auto* s = std::get_if<std::string>(&storage)) {
    for (const char c : *s) {
      switch (c) {
        case '\\':
          out += "\\\\";
          break;
        case '\t':
          out += "\\t";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\0':
          throw DbError(DbErrorKind::Other, "文本值中含有空字符", std::string(sql));
        default:
          out += c;
      }
    }
  } else if (const auto* b = std::get_if<Blob>(&storage)) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\\\x";
    for (const std::uint8_t byte : *b) {
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    }
  } else {
    out += "\\N";
  }
}

// COPY data goes to the server in pieces of about this size.
constexpr std::size_t kCopyChunk = 1 << 20;

}  // namespace

void PostgresConnection::insertRows(std::string_view table, std::span<const std::string_view> columns,
                                    std::span<const Value> values) {
  CheckRowShape(columns, values);
  if (values.empty()) return;
  std::string sql = "COPY ";
  sql.append(table).append(" (").append(ColumnList(columns)).append(") FROM STDIN");
  PGresult* started = PQexec(conn_, sql.c_str());
  if (PQresultStatus(started) != PGRES_COPY_IN) fail(started, sql);
  PQclear(started);
  std::string buffer;
  const auto send = [&] {
    if (PQputCopyData(conn_, buffer.data(), static_cast<int>(buffer.size())) != 1) fail(nullptr, sql);
    buffer.clear();
  };
  try {
    for (std::size_t i = 0; i < values.size(); ++i) {
      appendCopyText(buffer, values[i], sql);
      buffer += (i + 1) % columns.size() == 0 ? '\n' : '\t';
      if (buffer.size() >= kCopyChunk) send();
    }
    if (!buffer.empty()) send();
  } catch (const DbError&) {
    // The server drops what it was sent; the transaction fails as with any error.
    PQputCopyEnd(conn_, "abandoned");
    while (PGresult* next = PQgetResult(conn_)) PQclear(next);
    throw;
  }
  if (PQputCopyEnd(conn_, nullptr) != 1) fail(nullptr, sql);
  PGresult* result = PQgetResult(conn_);
  while (PGresult* next = PQgetResult(conn_)) PQclear(next);
  if (!result || PQresultStatus(result) != PGRES_COMMAND_OK) fail(result, sql);
  PQclear(result);
}

void PostgresConnection::executeScript(std::string_view sql) {
  const std::string text(sql);
  PGresult* result = PQexec(conn_, text.c_str());
  const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY) fail(result, sql);
  Result owned(result);
  checkNotRolledBack(result, sql);
}

bool PostgresConnection::tableExists(std::string_view table) {
  return !query(
              "SELECT c.relname FROM pg_catalog.pg_class c "
              "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
              "WHERE c.relkind IN ('r', 'p') AND n.nspname = ANY (current_schemas(false)) "
              "AND lower(c.relname) = lower(:name)",
              {{"name", std::string(table)}})
              .empty();
}

}  // namespace qj::data
