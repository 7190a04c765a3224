// The data-layer contract, checked the same way on every engine the machine offers.
#include <gtest/gtest.h>

#include <stdexcept>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "data/connection.h"
#include "support/scratch_database.h"

namespace qj::data {

// Test names and failure messages show the engine by name.
void PrintTo(Engine engine, std::ostream* out) { *out << test::EngineName(engine); }

namespace {

constexpr auto kNotFound = std::string::npos;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// The error an action throws.
DbError errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const DbError& error) {
    return error;
  }
  ADD_FAILURE() << "no DbError was thrown";
  return DbError(DbErrorKind::Other, "");
}

class ConnectionTest : public ::testing::TestWithParam<Engine> {
 protected:
  ConnectionTest() : db_(GetParam()), conn_(db_.open()) {
    conn_->executeScript(
        "CREATE TABLE Book (ID INTEGER PRIMARY KEY, CODE VARCHAR(12) NOT NULL, NAME VARCHAR(48), "
        "AMOUNT BIGINT, CHECK (AMOUNT IS NULL OR AMOUNT > -100));"
        "CREATE UNIQUE INDEX Book_Code ON Book (CODE)");
  }

  void addBook(int id, const std::string& code, std::int64_t amount = 0) {
    conn_->execute("INSERT INTO Book (ID, CODE, AMOUNT) VALUES (:id, :code, :amount)",
                   {{"id", id}, {"code", code}, {"amount", amount}});
  }
  std::int64_t bookCount() { return IntegerOf(conn_->scalar("SELECT COUNT(*) FROM Book")); }
  // The IDs of the books, in order, as "1,3".
  std::string bookIds() {
    std::string ids;
    for (const Row& row : conn_->query("SELECT ID FROM Book ORDER BY ID"))
      ids += (ids.empty() ? "" : ",") + std::to_string(row.integer("id"));
    return ids;
  }

  test::ScratchDatabase db_;
  std::unique_ptr<Connection> conn_;
};

// ---- values survive the trip to the database and back ----

TEST_P(ConnectionTest, ValuesComeBackWithTheirValueAndType) {
  conn_->executeScript(std::string("CREATE TABLE V (K INTEGER PRIMARY KEY, SMALL SMALLINT, BIG BIGINT, NAME ") +
                       "VARCHAR(48), DATA " + (GetParam() == Engine::Sqlite ? "BLOB" : "BYTEA") + ", AT TIMESTAMP)");
  const std::string name = "应收账款——北京分公司 'A' \"B\"";
  Blob bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<std::uint8_t>(i));
  bytes.insert(bytes.end(), {0, 0});
  const std::string insert = "INSERT INTO V (K, SMALL, BIG, NAME, DATA, AT) VALUES (:k, :s, :b, :n, :d, :at)";
  conn_->execute(insert, {{"k", 1}, {"s", 32767}, {"b", kMax}, {"n", name}, {"d", bytes}, {"at", Date(2024, 2, 29)}});
  conn_->execute(insert, {{"k", 2}, {"s", -32768}, {"b", kMin}, {"n", nullptr}, {"d", Blob{}}, {"at", nullptr}});
  conn_->execute(insert, {{"k", 3}, {"s", 0}, {"b", 0}, {"n", ""}, {"d", nullptr}, {"at", Date(1999, 12, 31)}});

  const Rows rows = conn_->query("SELECT SMALL, BIG, NAME, DATA, AT FROM V ORDER BY K");
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(rows[0].integer("big"), kMax);
  EXPECT_EQ(rows[1].integer("BIG"), kMin);
  EXPECT_EQ(rows[0].integer("Small"), 32767);
  EXPECT_EQ(rows[1].integer("small"), -32768);
  EXPECT_TRUE(std::holds_alternative<std::int64_t>(rows[0]["small"].storage()));
  EXPECT_TRUE(std::holds_alternative<std::int64_t>(rows[0]["big"].storage()));
  EXPECT_EQ(rows[0].text("name"), name);
  EXPECT_TRUE(rows[1].isNull("name"));
  EXPECT_FALSE(rows[2].isNull("name"));
  EXPECT_EQ(rows[2].text("name"), "");
  EXPECT_EQ(rows[0].blob("data"), bytes);
  EXPECT_TRUE(rows[1].blob("data").empty());
  EXPECT_EQ(rows[0].date("at"), Date(2024, 2, 29));
  EXPECT_EQ(rows[1].date("at"), std::nullopt);
  EXPECT_EQ(rows[2].date("at"), Date(1999, 12, 31));
  EXPECT_THROW((void)rows[0]["missing"], DbError);

  // Bound Chinese text and dates find their rows; dates compare as dates.
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT K FROM V WHERE NAME = :n", {{"n", name}})), 1);
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT K FROM V WHERE AT >= :from AND AT <= :to",
                                    {{"from", Date(1999, 12, 1)}, {"to", Date(2024, 2, 28)}})),
            3);
  EXPECT_EQ(conn_->queryOne("SELECT 7 AS \"MixedCase\"")->integer("MIXEDCASE"), 7);
  // Amounts are integers of ten-thousandths; a fraction means a query bug and is refused, not rounded.
  EXPECT_THROW(conn_->scalar("SELECT 1.5 AS X"), DbError);
  EXPECT_THROW(conn_->scalar("SELECT CAST(1 AS REAL) / 3 AS X"), DbError);
}

// Many rows, with every kind of value and the characters a bulk format must
// escape.
TEST_P(ConnectionTest, RowsInsertedInBulkComeBackExactlyAndAFailureTakesThemAllBack) {
  conn_->executeScript(std::string("CREATE TABLE V (K INTEGER PRIMARY KEY, BIG BIGINT, NAME VARCHAR(48), DATA ") +
                       (GetParam() == Engine::Sqlite ? "BLOB" : "BYTEA") + ", AT TIMESTAMP)");
  const std::vector<std::string_view> columns = {"K", "BIG", "NAME", "DATA", "AT"};
  const std::vector<std::string> names = {"现金\t\\N", "a\tb", "a\nb\r\n", "\\", "\\N", "'\"", "", "应付账款"};
  Blob bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<std::uint8_t>(i));
  constexpr int kRows = 150;
  std::vector<Value> values;
  for (int k = 0; k < kRows; ++k) {
    values.emplace_back(k);
    values.emplace_back(k % 3 == 0 ? Value(kMax - k) : k % 3 == 1 ? Value(kMin + k) : Value());
    values.emplace_back(k % 9 == 8 ? Value() : Value(names[static_cast<std::size_t>(k % 9)]));
    values.emplace_back(k % 2 == 0 ? Value(bytes) : k % 4 == 1 ? Value(Blob{}) : Value());
    values.emplace_back(k % 5 == 0 ? Value() : Value(Date(2011, 1 + k % 12, 1 + k % 28)));
  }
  conn_->insertRows("V", columns, values);

  const Rows rows = conn_->query("SELECT K, BIG, NAME, DATA, AT FROM V ORDER BY K");
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRows));
  for (int k = 0; k < kRows; ++k) {
    const Row& row = rows[static_cast<std::size_t>(k)];
    SCOPED_TRACE("row " + std::to_string(k));
    EXPECT_EQ(row.integer("k"), k);
    if (k % 3 == 2)
      EXPECT_TRUE(row.isNull("big"));
    else
      EXPECT_EQ(row.integer("big"), k % 3 == 0 ? kMax - k : kMin + k);
    if (k % 9 == 8)
      EXPECT_TRUE(row.isNull("name"));
    else
      EXPECT_EQ(row.text("name"), names[static_cast<std::size_t>(k % 9)]);
    if (k % 2 == 0)
      EXPECT_EQ(row.blob("data"), bytes);
    else
      EXPECT_EQ(row.isNull("data"), k % 4 == 3);
    EXPECT_EQ(row.date("at"), k % 5 == 0 ? std::nullopt : std::optional(Date(2011, 1 + k % 12, 1 + k % 28)));
  }
  EXPECT_EQ(rows[1].blob("data"), Blob{});
  EXPECT_FALSE(rows[1].isNull("data"));

  // A repeated key among the rows: the caller's unit takes everything back
  // and the connection carries on.
  std::vector<Value> clash;
  for (int k = 1000; k < 1100; ++k) clash.insert(clash.end(), {k, 1, "x", nullptr, nullptr});
  clash.insert(clash.end(), {5, 1, "x", nullptr, nullptr});
  {
    Transaction tx(*conn_);
    EXPECT_EQ(errorOf([&] { conn_->insertRows("V", columns, clash); }).kind(), DbErrorKind::DuplicateKey);
  }
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT COUNT(*) FROM V")), kRows);
  // Values that are not whole rows are refused before anything is sent.
  EXPECT_THROW(conn_->insertRows("V", columns, std::span(values).first(7)), DbError);
  EXPECT_THROW(conn_->insertRows("V", {}, {}), DbError);
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT COUNT(*) FROM V")), kRows);
}

TEST_P(ConnectionTest, MoneyAndItsSumsAreExactToTheTenThousandth) {
  std::vector<Money> amounts = {Money::fromUnits(kMax), Money::fromUnits(kMin)};
  for (const char* text : {"0.0001", "-0.0001", "1234.5678", "900000000000000.0001", "-900000000000000.0001"})
    amounts.push_back(Money::parse(text));
  conn_->executeScript("CREATE TABLE M (K INTEGER PRIMARY KEY, AMOUNT BIGINT)");
  int key = 0;
  for (Money m : amounts) conn_->execute("INSERT INTO M (K, AMOUNT) VALUES (:k, :a)", {{"k", ++key}, {"a", m}});
  const Rows rows = conn_->query("SELECT AMOUNT FROM M ORDER BY K");
  ASSERT_EQ(rows.size(), amounts.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].money("amount"), amounts[i]) << i;
  // A bound amount finds its row exactly, not a neighbour one unit away.
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT K FROM M WHERE AMOUNT = :a", {{"a", amounts[5]}})), 6);

  // 900000000001234.5679: beyond what a double holds to the ten-thousandth.
  const auto sum = conn_->queryOne("SELECT SUM(AMOUNT) AS TOTAL FROM M WHERE K IN (5, 6)");
  EXPECT_EQ(sum->money("total"), Money::parse("900000000001234.5679"));
  // A sum over no rows is null, which readers take as zero.
  EXPECT_TRUE(conn_->queryOne("SELECT SUM(AMOUNT) AS S FROM M WHERE K < 0")->isNull("s"));
}

// ---- named parameters, statements and scripts ----

TEST_P(ConnectionTest, MissingOrUnusedParametersAreRefusedBeforeAnythingChanges) {
  // Unbound (:code), then unused (name): the statement never runs, and the error names the parameter.
  const std::pair<Params, const char*> cases[] = {{{{"id", 1}}, "code"},
                                                  {{{"id", 1}, {"code", "A"}, {"name", "extra"}}, "name"}};
  for (const auto& [params, named] : cases) {
    const DbError error = errorOf([&] { conn_->execute("INSERT INTO Book (ID, CODE) VALUES (:id, :code)", params); });
    EXPECT_EQ(error.kind(), DbErrorKind::Other);
    EXPECT_NE(std::string(error.what()).find(named), kNotFound) << error.what();
    EXPECT_NE(error.sql().find("INSERT INTO Book"), kNotFound);
  }
  EXPECT_EQ(bookCount(), 0);

  // Inside a transaction the refusal leaves the transaction usable.
  Transaction tx(*conn_);
  EXPECT_THROW(conn_->query("SELECT * FROM Book WHERE ID = :id"), DbError);
  addBook(1, "A");
  tx.commit();
  EXPECT_EQ(bookCount(), 1);
}

TEST_P(ConnectionTest, ParametersBindByNameEveryTimeAStatementRuns) {
  // Stale values from the statement cache would repeat a code (refused by its unique index) or an amount.
  for (int id = 1; id <= 200; ++id) addBook(id, "C" + std::to_string(id), id % 50);
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT SUM(AMOUNT) FROM Book")), 4 * (49 * 50 / 2));
  EXPECT_EQ(conn_->queryOne("SELECT CODE FROM Book WHERE ID = :id", {{"id", 77}})->text("code"), "C77");
  // A cached statement still takes a null where it took values before.
  conn_->execute("UPDATE Book SET NAME = :name WHERE ID = :id", {{"name", "甲"}, {"id", 1}});
  conn_->execute("UPDATE Book SET NAME = :name WHERE ID = :id", {{"name", nullptr}, {"id", 1}});
  EXPECT_TRUE(conn_->queryOne("SELECT NAME FROM Book WHERE ID = 1")->isNull("name"));

  // A name used twice gets the same value everywhere, even in places of different types.
  conn_->execute("UPDATE Book SET CODE = '3' WHERE ID = 100");
  EXPECT_EQ(conn_->query("SELECT ID FROM Book WHERE AMOUNT = :v AND ID < :v + 100", {{"v", 3}}).size(), 2U);
  const Rows mixed = conn_->query("SELECT ID FROM Book WHERE ID = :v OR CODE = :v ORDER BY ID", {{"v", "3"}});
  ASSERT_EQ(mixed.size(), 2U);
  EXPECT_EQ(mixed[0].integer("id"), 3);
  EXPECT_EQ(mixed[1].integer("id"), 100);

  // Colons inside strings are not parameters.
  conn_->execute("UPDATE Book SET CODE = 'a:b', NAME = ':name -- 注释' WHERE ID = :id", {{"id", 2}});
  const auto row = conn_->queryOne("SELECT CODE, NAME FROM Book WHERE ID = :id", {{"id", 2}});
  EXPECT_EQ(row->text("code"), "a:b");
  EXPECT_EQ(row->text("name"), ":name -- 注释");
}

// Rows read one at a time come in order with their columns, stop when the
// reader says so, and leave the statement ready for the next run, even when
// the reader throws.
TEST_P(ConnectionTest, RowsReadOneAtATimeStopWhenAskedAndTheStatementRunsAgain) {
  for (int id = 1; id <= 30; ++id) addBook(id, "C" + std::to_string(id), id);
  const std::string sql = "SELECT ID, Code FROM Book WHERE AMOUNT > :least ORDER BY ID";
  std::string seen;
  conn_->forEachRow(sql, {{"least", 27}}, [&](const Row& row) {
    seen += std::to_string(row.integer("id")) + row.text("CODE") + ";";
    return true;
  });
  EXPECT_EQ(seen, "28C28;29C29;30C30;");

  int visited = 0;
  conn_->forEachRow(sql, {{"least", 0}}, [&](const Row&) { return ++visited < 5; });
  EXPECT_EQ(visited, 5);
  EXPECT_THROW(conn_->forEachRow(sql, {{"least", 0}}, [](const Row&) -> bool { throw std::runtime_error("stop"); }),
               std::runtime_error);
  // The same statement starts again from its first row with its new value.
  std::vector<std::int64_t> ids;
  conn_->forEachRow(sql, {{"least", 25}}, [&](const Row& row) {
    ids.push_back(row.integer("ID"));
    return true;
  });
  EXPECT_EQ(ids, (std::vector<std::int64_t>{26, 27, 28, 29, 30}));
  EXPECT_EQ(conn_->query(sql, {{"least", 29}}).size(), 1U);

  // The reader reads every row into the same storage: a value is never the
  // row before's, whatever kind each row's value is.
  const std::string longName(40, 'n');
  conn_->execute("UPDATE Book SET NAME = :long WHERE ID = 27", {{"long", longName}});
  conn_->execute("UPDATE Book SET NAME = 'x', AMOUNT = NULL WHERE ID = 29");
  std::vector<std::string> seenRows;
  conn_->forEachRow("SELECT NAME, AMOUNT FROM Book WHERE ID BETWEEN 26 AND 30 ORDER BY ID", {}, [&](const Row& row) {
    seenRows.push_back((row.isNull("NAME") ? "null" : row.text("NAME")) + "/" +
                       (row.isNull("AMOUNT") ? "null" : std::to_string(row.integer("AMOUNT"))));
    return true;
  });
  EXPECT_EQ(seenRows, (std::vector<std::string>{"null/26", longName + "/27", "null/28", "x/null", "null/30"}));

  // A reader stopped or failed inside a unit of work leaves it able to go on
  // and to commit.
  {
    Transaction tx(*conn_);
    conn_->forEachRow(sql, {{"least", 0}}, [](const Row&) { return false; });
    EXPECT_THROW(conn_->forEachRow(sql, {{"least", 0}}, [](const Row&) -> bool { throw std::runtime_error("stop"); }),
                 std::runtime_error);
    addBook(31, "C31", 31);
    tx.commit();
  }
  EXPECT_EQ(bookCount(), 31);
}

TEST_P(ConnectionTest, ExecuteCountsChangedRowsAndScriptsRunEveryStatement) {
  for (int id = 1; id <= 5; ++id) addBook(id, "C" + std::to_string(id), id);
  EXPECT_EQ(conn_->execute("UPDATE Book SET NAME = 'x' WHERE AMOUNT >= :min", {{"min", 3}}), 3);
  EXPECT_EQ(conn_->execute("DELETE FROM Book WHERE AMOUNT > :max", {{"max", 100}}), 0);
  EXPECT_EQ(conn_->execute("DELETE FROM Book WHERE NAME = 'x'"), 3);

  EXPECT_FALSE(conn_->tableExists("Subject"));
  conn_->executeScript(
      "CREATE TABLE Subject (SUBJECTID VARCHAR(18) PRIMARY KEY, NAME VARCHAR(32) NOT NULL);\n"
      "INSERT INTO Subject VALUES ('1001', '库存现金');\n"
      "INSERT INTO Subject VALUES ('1002', '银行存款');");
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT COUNT(*) FROM Subject")), 2);
  // Tables are found in any case, and only by their whole name.
  for (const char* found : {"Subject", "SUBJECT", "subject"}) EXPECT_TRUE(conn_->tableExists(found)) << found;
  for (const char* absent : {"Subjec", "Subject'; --"}) EXPECT_FALSE(conn_->tableExists(absent)) << absent;
}

// ---- units of work ----

TEST_P(ConnectionTest, NestedUnitsRollBackAloneAndNothingLastsWithoutTheOutermostCommit) {
  {
    Transaction tx(*conn_);
    addBook(1, "A");
    Transaction inner(*conn_);
    addBook(2, "B");
    inner.commit();
    EXPECT_EQ(bookCount(), 2);
  }
  EXPECT_FALSE(conn_->inTransaction());
  EXPECT_EQ(bookCount(), 0);

  {
    Transaction outer(*conn_);
    addBook(1, "A");
    {
      Transaction inner(*conn_);
      addBook(2, "B");
    }
    {
      Transaction inner(*conn_);
      addBook(3, "C");
      inner.commit();
    }
    {
      // A failed statement in a nested unit leaves the outer one usable.
      Transaction inner(*conn_);
      addBook(4, "D");
      EXPECT_THROW(addBook(5, "A"), DbError);
    }
    addBook(6, "F");
    outer.commit();
  }
  EXPECT_EQ(bookIds(), "1,3,6");
  EXPECT_EQ(IntegerOf(db_.open()->scalar("SELECT COUNT(*) FROM Book")), 3) << "another connection sees it";
}

TEST_P(ConnectionTest, FailedStatementLeavesTheConnectionUsableAndCommitNeverClaimsLostWork) {
  {
    Transaction tx(*conn_);
    addBook(1, "A");
    EXPECT_THROW(addBook(2, "A"), DbError);
  }
  EXPECT_FALSE(conn_->inTransaction());
  EXPECT_EQ(bookCount(), 0);

  bool committed = false;
  {
    Transaction tx(*conn_);
    addBook(3, "C");
    EXPECT_THROW(addBook(4, "C"), DbError);
    try {
      tx.commit();
      committed = true;
    } catch (const DbError&) {
    }
  }
  // An engine may keep the work done before the failure or drop the whole
  // unit, but what commit() reports must match what is stored.
  EXPECT_EQ(bookIds(), committed ? "3" : "");
  EXPECT_FALSE(conn_->inTransaction());
  addBook(7, "G");
  EXPECT_EQ(bookIds(), committed ? "3,7" : "7");
}

// ---- error kinds ----

TEST_P(ConnectionTest, ErrorsSayWhatKindTheyAreAndTheConnectionCarriesOn) {
  addBook(1, "A");
  const DbError primary = errorOf([&] { addBook(1, "B"); });
  EXPECT_EQ(primary.kind(), DbErrorKind::DuplicateKey);
  EXPECT_NE(primary.sql().find("INSERT INTO Book"), kNotFound);
  EXPECT_NE(DescribeForUser(primary).find("已有相同关键字"), kNotFound);
  EXPECT_EQ(errorOf([&] { addBook(2, "A"); }).kind(), DbErrorKind::DuplicateKey);  // unique index
  const auto nullCode = [&] { conn_->execute("INSERT INTO Book (ID, CODE) VALUES (3, :code)", {{"code", nullptr}}); };
  EXPECT_EQ(errorOf(nullCode).kind(), DbErrorKind::Constraint);
  EXPECT_EQ(errorOf([&] { addBook(4, "D", -500); }).kind(), DbErrorKind::Constraint);  // CHECK
  EXPECT_EQ(bookCount(), 1);

  EXPECT_EQ(errorOf([&] { conn_->query("SELEC 1"); }).kind(), DbErrorKind::Other);
  EXPECT_EQ(errorOf([&] { conn_->query("SELECT * FROM NoSuchTable"); }).kind(), DbErrorKind::Other);
  EXPECT_EQ(errorOf([&] { conn_->executeScript("CREATE TABLE X (A INTEGER); CREATE TABLE X (A INTEGER)"); }).kind(),
            DbErrorKind::Other);
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT 1 + 1")), 2);

  if (GetParam() == Engine::Postgres) {  // row locks are a server feature
    Transaction holder(*conn_);
    conn_->query("SELECT ID FROM Book WHERE ID = 1 FOR UPDATE");
    auto other = db_.open();
    EXPECT_EQ(errorOf([&] { other->query("SELECT ID FROM Book WHERE ID = 1 FOR UPDATE NOWAIT"); }).kind(),
              DbErrorKind::Busy);
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, ConnectionTest, ::testing::ValuesIn(test::TestEngines()), test::EngineParamName);

}  // namespace
}  // namespace qj::data
