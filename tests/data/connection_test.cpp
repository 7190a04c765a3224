// The data-layer contract, checked the same way on every engine the machine offers.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <variant>

#include "data/connection.h"
#include "support/scratch_database.h"

namespace qj::data {

// Test names and failure messages show the engine by name.
void PrintTo(Engine engine, std::ostream* out) { *out << test::EngineName(engine); }

namespace {

using test::ScratchDatabase;

class ConnectionTest : public ::testing::TestWithParam<Engine> {
 protected:
  ConnectionTest() : db_(GetParam()), conn_(db_.open()) {}

  [[nodiscard]] const char* blobType() const { return GetParam() == Engine::Sqlite ? "BLOB" : "BYTEA"; }

  void makeBooks() {
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

  ScratchDatabase db_;
  std::unique_ptr<Connection> conn_;
};

DbErrorKind kindOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const DbError& error) {
    return error.kind();
  }
  ADD_FAILURE() << "no DbError was thrown";
  return DbErrorKind::Other;
}

// ---- values survive the trip to the database and back ----

TEST_P(ConnectionTest, IntegersKeepTheirValueAndType) {
  conn_->executeScript("CREATE TABLE N (K INTEGER PRIMARY KEY, SMALL SMALLINT, BIG BIGINT)");
  const std::int64_t values[] = {
      0, -1, 1, 32767, std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()};
  int key = 0;
  for (std::int64_t v : values)
    conn_->execute("INSERT INTO N (K, SMALL, BIG) VALUES (:k, :small, :big)",
                   {{"k", ++key}, {"small", static_cast<long long>(v % 30000)}, {"big", static_cast<long long>(v)}});
  const Rows rows = conn_->query("SELECT K, SMALL, BIG FROM N ORDER BY K");
  ASSERT_EQ(rows.size(), std::size(values));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].integer("big"), values[i]);
    EXPECT_EQ(rows[i].integer("small"), values[i] % 30000);
    EXPECT_TRUE(std::holds_alternative<std::int64_t>(rows[i]["BIG"].storage()));
    EXPECT_TRUE(std::holds_alternative<std::int64_t>(rows[i]["small"].storage()));
  }
}

TEST_P(ConnectionTest, ChineseTextNullAndEmptyTextAreDistinct) {
  conn_->executeScript("CREATE TABLE T (K INTEGER PRIMARY KEY, NAME VARCHAR(48))");
  const std::string name = "应收账款——北京分公司 'A' \"B\"";
  conn_->execute("INSERT INTO T (K, NAME) VALUES (1, :name)", {{"name", name}});
  conn_->execute("INSERT INTO T (K, NAME) VALUES (2, :name)", {{"name", nullptr}});
  conn_->execute("INSERT INTO T (K, NAME) VALUES (3, :name)", {{"name", ""}});

  EXPECT_EQ(conn_->queryOne("SELECT NAME FROM T WHERE K = 1")->text("name"), name);
  EXPECT_TRUE(conn_->queryOne("SELECT NAME FROM T WHERE K = 2")->isNull("NAME"));
  const auto empty = conn_->queryOne("SELECT NAME FROM T WHERE K = 3");
  EXPECT_FALSE(empty->isNull("name"));
  EXPECT_EQ(empty->text("name"), "");
  // Searching by a Chinese value finds the row.
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT K FROM T WHERE NAME = :name", {{"name", name}})), 1);
}

TEST_P(ConnectionTest, BlobsKeepEveryByte) {
  conn_->executeScript(std::string("CREATE TABLE B (K INTEGER PRIMARY KEY, DATA ") + blobType() + ")");
  Blob all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<std::uint8_t>(i));
  all.push_back(0);
  all.push_back(0);
  conn_->execute("INSERT INTO B (K, DATA) VALUES (1, :data)", {{"data", all}});
  conn_->execute("INSERT INTO B (K, DATA) VALUES (2, :data)", {{"data", Blob{}}});

  const auto row = conn_->queryOne("SELECT DATA FROM B WHERE K = 1");
  EXPECT_TRUE(std::holds_alternative<Blob>(row->at(0).storage()));
  EXPECT_EQ(row->blob("data"), all);
  EXPECT_TRUE(conn_->queryOne("SELECT DATA FROM B WHERE K = 2")->blob("data").empty());
}

TEST_P(ConnectionTest, DatesComeBackAsTheSameDay) {
  conn_->executeScript("CREATE TABLE D (K INTEGER PRIMARY KEY, AT TIMESTAMP)");
  const Date days[] = {Date(2011, 7, 1), Date(2024, 2, 29), Date(1999, 12, 31)};
  for (int i = 0; i < 3; ++i) conn_->execute("INSERT INTO D (K, AT) VALUES (:k, :at)", {{"k", i}, {"at", days[i]}});
  conn_->execute("INSERT INTO D (K, AT) VALUES (9, :at)", {{"at", nullptr}});

  const Rows rows = conn_->query("SELECT AT FROM D WHERE K < 9 ORDER BY AT");
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(rows[0].date("at"), Date(1999, 12, 31));
  EXPECT_EQ(rows[1].date("at"), Date(2011, 7, 1));
  EXPECT_EQ(rows[2].date("at"), Date(2024, 2, 29));
  EXPECT_EQ(conn_->queryOne("SELECT AT FROM D WHERE K = 9")->date("at"), std::nullopt);
  // Range conditions on bound dates compare as dates.
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT COUNT(*) FROM D WHERE AT >= :from AND AT <= :to",
                                    {{"from", Date(2011, 7, 1)}, {"to", Date(2011, 7, 31)}})),
            1);
}

TEST_P(ConnectionTest, MoneyIsExactToTheTenThousandth) {
  conn_->executeScript("CREATE TABLE M (K INTEGER PRIMARY KEY, AMOUNT BIGINT)");
  const Money amounts[] = {Money::parse("0.0001"),
                           Money::parse("-0.0001"),
                           Money::parse("1234.5678"),
                           Money::parse("900000000000000.0001"),
                           Money::parse("-900000000000000.0001"),
                           Money::fromUnits(std::numeric_limits<std::int64_t>::max()),
                           Money::fromUnits(std::numeric_limits<std::int64_t>::min())};
  int key = 0;
  for (Money m : amounts) conn_->execute("INSERT INTO M (K, AMOUNT) VALUES (:k, :a)", {{"k", ++key}, {"a", m}});
  const Rows rows = conn_->query("SELECT AMOUNT FROM M ORDER BY K");
  ASSERT_EQ(rows.size(), std::size(amounts));
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].money("amount"), amounts[i]) << i;
  // A bound amount finds its row exactly, not a neighbour one unit away.
  EXPECT_EQ(
      IntegerOf(conn_->scalar("SELECT K FROM M WHERE AMOUNT = :a", {{"a", Money::parse("900000000000000.0001")}})), 4);
}

TEST_P(ConnectionTest, SumOverManyLargeAmountsStaysExact) {
  conn_->executeScript("CREATE TABLE M (K INTEGER PRIMARY KEY, AMOUNT BIGINT)");
  const Money each = Money::parse("900000000000.0001");
  Money expected;
  {
    Transaction tx(*conn_);
    for (int k = 1; k <= 1000; ++k) {
      conn_->execute("INSERT INTO M (K, AMOUNT) VALUES (:k, :a)", {{"k", k}, {"a", each}});
      expected += each;
    }
    conn_->execute("INSERT INTO M (K, AMOUNT) VALUES (0, :a)", {{"a", Money::parse("-0.0003")}});
    expected -= Money::parse("0.0003");
    tx.commit();
  }
  // 900000000000000.0997: beyond what a double holds to the ten-thousandth.
  ASSERT_EQ(expected, Money::parse("900000000000000.0997"));
  const auto row = conn_->queryOne("SELECT SUM(AMOUNT) AS TOTAL, COUNT(*) AS N FROM M");
  EXPECT_EQ(row->money("total"), expected);
  EXPECT_EQ(row->integer("n"), 1001);
  EXPECT_TRUE(std::holds_alternative<std::int64_t>((*row)["total"].storage()));
  // Large amounts of both signs cancel to the last unit.
  EXPECT_EQ(Money::fromUnits(IntegerOf(conn_->scalar("SELECT SUM(AMOUNT) FROM M WHERE K = 1 OR K = 0"))),
            Money::parse("900000000000.0001") - Money::parse("0.0003"));
  // A sum over no rows is null, which readers take as zero.
  EXPECT_TRUE(conn_->queryOne("SELECT SUM(AMOUNT) AS S FROM M WHERE K < 0")->isNull("s"));
}

TEST_P(ConnectionTest, FractionalResultsAreRefusedNotRounded) {
  // Amounts are integers of ten-thousandths; a fraction means a query bug.
  EXPECT_THROW(conn_->scalar("SELECT 1.5 AS X"), DbError);
  EXPECT_THROW(conn_->scalar("SELECT CAST(1 AS REAL) / 3 AS X"), DbError);
}

TEST_P(ConnectionTest, ColumnNamesAreReadWithoutRegardToCase) {
  const auto row = conn_->queryOne("SELECT 7 AS \"MixedCase\", 'x' AS lower_one");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->integer("mixedcase"), 7);
  EXPECT_EQ(row->integer("MIXEDCASE"), 7);
  EXPECT_EQ(row->text("LOWER_ONE"), "x");
  EXPECT_THROW((void)(*row)["missing"], DbError);
}

// ---- named parameters ----

TEST_P(ConnectionTest, MissingOrUnusedParametersAreRefusedBeforeAnythingChanges) {
  makeBooks();
  try {
    conn_->execute("INSERT INTO Book (ID, CODE) VALUES (:id, :code)", {{"id", 1}});
    FAIL() << "a statement with an unbound parameter ran";
  } catch (const DbError& error) {
    EXPECT_EQ(error.kind(), DbErrorKind::Other);
    EXPECT_NE(std::string(error.what()).find("code"), std::string::npos) << error.what();
    EXPECT_NE(error.sql().find("INSERT INTO Book"), std::string::npos);
  }
  try {
    conn_->execute("INSERT INTO Book (ID, CODE) VALUES (:id, 'A')", {{"id", 1}, {"name", "extra"}});
    FAIL() << "a statement with an unused parameter ran";
  } catch (const DbError& error) {
    EXPECT_EQ(error.kind(), DbErrorKind::Other);
    EXPECT_NE(std::string(error.what()).find("name"), std::string::npos) << error.what();
  }
  EXPECT_EQ(bookCount(), 0);

  // Inside a transaction the refusal leaves the transaction usable.
  Transaction tx(*conn_);
  EXPECT_THROW(conn_->query("SELECT * FROM Book WHERE ID = :id"), DbError);
  addBook(1, "A");
  tx.commit();
  EXPECT_EQ(bookCount(), 1);
}

TEST_P(ConnectionTest, ANameUsedTwiceGetsTheSameValueEverywhere) {
  makeBooks();
  addBook(1, "A", 5);
  addBook(2, "3", 7);
  addBook(3, "C", 9);
  addBook(4, "D", 3);
  const Rows rows = conn_->query("SELECT ID FROM Book WHERE AMOUNT = :v OR ID = :v ORDER BY ID", {{"v", 3}});
  ASSERT_EQ(rows.size(), 2U);
  EXPECT_EQ(rows[0].integer("id"), 3);
  EXPECT_EQ(rows[1].integer("id"), 4);
  // The same name in places of different types (an integer and a text column).
  const Rows mixed = conn_->query("SELECT ID FROM Book WHERE ID = :v OR CODE = :v ORDER BY ID", {{"v", "3"}});
  ASSERT_EQ(mixed.size(), 2U);
  EXPECT_EQ(mixed[0].integer("id"), 2);
  EXPECT_EQ(mixed[1].integer("id"), 3);
}

TEST_P(ConnectionTest, ColonsInsideStringsAreNotParameters) {
  makeBooks();
  conn_->execute("INSERT INTO Book (ID, CODE, NAME) VALUES (:id, 'a:b', ':name -- 注释')", {{"id", 1}});
  const auto row = conn_->queryOne("SELECT CODE, NAME FROM Book WHERE ID = :id", {{"id", 1}});
  EXPECT_EQ(row->text("code"), "a:b");
  EXPECT_EQ(row->text("name"), ":name -- 注释");
}

TEST_P(ConnectionTest, RepeatedStatementsWithNewValuesUseTheNewValues) {
  makeBooks();
  for (int id = 1; id <= 200; ++id) addBook(id, "C" + std::to_string(id), id % 50);
  EXPECT_EQ(bookCount(), 200);
  for (int id : {1, 77, 200}) {
    const auto row = conn_->queryOne("SELECT CODE, AMOUNT FROM Book WHERE ID = :id", {{"id", id}});
    ASSERT_TRUE(row) << id;
    EXPECT_EQ(row->text("code"), "C" + std::to_string(id));
    EXPECT_EQ(row->integer("amount"), id % 50);
  }
  // A cached statement still takes a null where it took values before.
  conn_->execute("UPDATE Book SET NAME = :name WHERE ID = :id", {{"name", "甲"}, {"id", 1}});
  conn_->execute("UPDATE Book SET NAME = :name WHERE ID = :id", {{"name", nullptr}, {"id", 1}});
  EXPECT_TRUE(conn_->queryOne("SELECT NAME FROM Book WHERE ID = 1")->isNull("name"));
}

// ---- statements, scripts and the catalogue ----

TEST_P(ConnectionTest, ExecuteCountsTheRowsItChanged) {
  makeBooks();
  for (int id = 1; id <= 5; ++id) addBook(id, "C" + std::to_string(id), id);
  EXPECT_EQ(conn_->execute("UPDATE Book SET NAME = 'x' WHERE AMOUNT >= :min", {{"min", 3}}), 3);
  EXPECT_EQ(conn_->execute("DELETE FROM Book WHERE AMOUNT > :max", {{"max", 100}}), 0);
  EXPECT_EQ(conn_->execute("DELETE FROM Book WHERE NAME = 'x'"), 3);
  EXPECT_EQ(bookCount(), 2);
}

TEST_P(ConnectionTest, ScriptsRunEveryStatementAndTablesAreFoundInAnyCase) {
  EXPECT_FALSE(conn_->tableExists("Subject"));
  conn_->executeScript(
      "CREATE TABLE Subject (SUBJECTID VARCHAR(18) PRIMARY KEY, NAME VARCHAR(32) NOT NULL);\n"
      "INSERT INTO Subject VALUES ('1001', '库存现金');\n"
      "INSERT INTO Subject VALUES ('1002', '银行存款');");
  EXPECT_TRUE(conn_->tableExists("Subject"));
  EXPECT_TRUE(conn_->tableExists("SUBJECT"));
  EXPECT_TRUE(conn_->tableExists("subject"));
  EXPECT_FALSE(conn_->tableExists("Subjec"));
  EXPECT_FALSE(conn_->tableExists("Subject'; --"));
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT COUNT(*) FROM Subject")), 2);
}

// ---- units of work ----

TEST_P(ConnectionTest, TransactionWithoutCommitLeavesNothing) {
  makeBooks();
  {
    Transaction tx(*conn_);
    EXPECT_TRUE(conn_->inTransaction());
    addBook(1, "A");
    addBook(2, "B");
    EXPECT_EQ(bookCount(), 2);
  }
  EXPECT_FALSE(conn_->inTransaction());
  EXPECT_EQ(bookCount(), 0);
  // Another connection never saw them either, and sees committed work.
  {
    Transaction tx(*conn_);
    addBook(3, "C");
    tx.commit();
  }
  auto other = db_.open();
  EXPECT_EQ(IntegerOf(other->scalar("SELECT COUNT(*) FROM Book")), 1);
}

TEST_P(ConnectionTest, NestedRollbackKeepsTheOuterWork) {
  makeBooks();
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
    EXPECT_TRUE(conn_->inTransaction());
    outer.commit();
  }
  const Rows rows = conn_->query("SELECT ID FROM Book ORDER BY ID");
  ASSERT_EQ(rows.size(), 2U);
  EXPECT_EQ(rows[0].integer("id"), 1);
  EXPECT_EQ(rows[1].integer("id"), 3);
}

TEST_P(ConnectionTest, OuterRollbackUndoesCommittedInnerWork) {
  makeBooks();
  {
    Transaction outer(*conn_);
    Transaction inner(*conn_);
    addBook(1, "A");
    inner.commit();
  }
  EXPECT_EQ(bookCount(), 0);
}

TEST_P(ConnectionTest, FailedStatementInNestedUnitLeavesTheOuterUsable) {
  makeBooks();
  {
    Transaction outer(*conn_);
    addBook(1, "A");
    {
      Transaction inner(*conn_);
      addBook(2, "B");
      EXPECT_THROW(addBook(3, "A"), DbError);
    }
    addBook(4, "D");
    outer.commit();
  }
  const Rows rows = conn_->query("SELECT ID FROM Book ORDER BY ID");
  ASSERT_EQ(rows.size(), 2U);
  EXPECT_EQ(rows[0].integer("id"), 1);
  EXPECT_EQ(rows[1].integer("id"), 4);
}

TEST_P(ConnectionTest, FailedStatementThenDestructionLeavesTheConnectionUsable) {
  makeBooks();
  {
    Transaction tx(*conn_);
    addBook(1, "A");
    EXPECT_THROW(addBook(2, "A"), DbError);
  }
  EXPECT_FALSE(conn_->inTransaction());
  EXPECT_EQ(bookCount(), 0);
  {
    Transaction tx(*conn_);
    addBook(5, "E");
    tx.commit();
  }
  EXPECT_EQ(bookCount(), 1);
  addBook(6, "F");
  EXPECT_EQ(bookCount(), 2);
}

TEST_P(ConnectionTest, CommitAfterAFailureNeverClaimsWorkItDidNotStore) {
  makeBooks();
  bool committed = false;
  {
    Transaction tx(*conn_);
    addBook(1, "A");
    EXPECT_THROW(addBook(2, "A"), DbError);
    try {
      tx.commit();
      committed = true;
    } catch (const DbError&) {
    }
  }
  // An engine may keep the work done before the failure or drop the whole
  // unit, but what commit() reports must match what is stored.
  EXPECT_EQ(bookCount(), committed ? 1 : 0);
  EXPECT_FALSE(conn_->inTransaction());
  addBook(7, "G");
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT COUNT(*) FROM Book WHERE ID = 7")), 1);
}

// ---- error kinds ----

TEST_P(ConnectionTest, DuplicateKeysAreReportedAsSuch) {
  makeBooks();
  addBook(1, "A");
  EXPECT_EQ(kindOf([&] { addBook(1, "B"); }), DbErrorKind::DuplicateKey);  // primary key
  EXPECT_EQ(kindOf([&] { addBook(2, "A"); }), DbErrorKind::DuplicateKey);  // unique index
  EXPECT_EQ(bookCount(), 1);
  try {
    addBook(1, "C");
  } catch (const DbError& error) {
    EXPECT_FALSE(std::string(error.what()).empty());
    EXPECT_NE(error.sql().find("INSERT INTO Book"), std::string::npos);
    EXPECT_NE(DescribeForUser(error).find("已有相同关键字"), std::string::npos);
  }
}

TEST_P(ConnectionTest, OtherConstraintsAreReportedAsConstraint) {
  makeBooks();
  EXPECT_EQ(kindOf([&] {
              conn_->execute("INSERT INTO Book (ID, CODE) VALUES (:id, :code)", {{"id", 1}, {"code", nullptr}});
            }),
            DbErrorKind::Constraint);                                          // NOT NULL
  EXPECT_EQ(kindOf([&] { addBook(2, "B", -500); }), DbErrorKind::Constraint);  // CHECK
  EXPECT_EQ(bookCount(), 0);
}

TEST_P(ConnectionTest, RowLockedByAnotherSessionIsBusy) {
  if (GetParam() != Engine::Postgres) GTEST_SKIP() << "row locks are a server feature";
  makeBooks();
  addBook(1, "A");
  Transaction holder(*conn_);
  conn_->query("SELECT ID FROM Book WHERE ID = 1 FOR UPDATE");
  auto other = db_.open();
  EXPECT_EQ(kindOf([&] { other->query("SELECT ID FROM Book WHERE ID = 1 FOR UPDATE NOWAIT"); }), DbErrorKind::Busy);
}

TEST_P(ConnectionTest, BadSqlIsAnOrdinaryErrorAndTheConnectionCarriesOn) {
  EXPECT_EQ(kindOf([&] { conn_->query("SELEC 1"); }), DbErrorKind::Other);
  EXPECT_EQ(kindOf([&] { conn_->query("SELECT * FROM NoSuchTable"); }), DbErrorKind::Other);
  EXPECT_EQ(kindOf([&] { conn_->executeScript("CREATE TABLE X (A INTEGER); CREATE TABLE X (A INTEGER)"); }),
            DbErrorKind::Other);
  EXPECT_EQ(IntegerOf(conn_->scalar("SELECT 1 + 1")), 2);
}

std::string engineLabel(const ::testing::TestParamInfo<Engine>& engine) { return test::EngineName(engine.param); }

INSTANTIATE_TEST_SUITE_P(Engines, ConnectionTest, ::testing::ValuesIn(test::TestEngines()), engineLabel);

}  // namespace
}  // namespace qj::data
