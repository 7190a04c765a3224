// The book schema on every engine: tables, columns, widths, keys, exact money at full width,
// and the version check and upgrade on open.
#include "data/schema.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <sstream>

#include "data/dialect.h"  // AddColumnSql, CreateTableSql for the upgrade steps
#include "support/scratch_database.h"

namespace qj::data {
namespace {

constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();

// The tables the ledger, the sibling modules and the host layer rely on.
constexpr const char* kBookTables =
    "Subject SubjectStartData SubjectStartDatatemp RateInit Currency AccountState VoucherMaster "
    "VoucherDetail AccountVoucherType Balance ProfitAndLoss PrecisType Precis Fluxion FluxionInit "
    "FluxionDistribute CashSub ManyColumn ManyColumnItem PrintStyle SelfDefineineRpt "
    "SelfDefineinePrintStyle FUNC Glossary FormulaSyterm FixedAssetsCard FixedAssetsStart "
    "FixedAssetsSurplus LoadWork FixedAssetsClear DILEDGER DELEDGER Bank Discount IncomePayoutType "
    "CostMeans CLIENT VENDOR EmployeeTypeLaborage HostUser HostPrivilege HostLog HostBookParam "
    "HostReservedSub HostKeyValue SchemaInfo";

class SchemaTest : public ::testing::TestWithParam<Engine> {
 protected:
  test::ScratchDatabase scratch{GetParam()};
  std::unique_ptr<Connection> db = scratch.open();

  void insertSubject(const std::string& id, const std::string& name) {
    db->execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:id, :name, :dc, :detail)",
                {{"id", id}, {"name", name}, {"dc", "T"}, {"detail", "T"}});
  }
  // Runs a statement that must fail; returns the error.
  DbError refused(std::string_view sql, const Params& params) {
    try {
      db->execute(sql, params);
    } catch (const DbError& error) {
      return error;
    }
    ADD_FAILURE() << "accepted: " << sql;
    return DbError(DbErrorKind::Other, "accepted");
  }
  void expectDuplicate(std::string_view sql, const Params& params) {
    const DbError error = refused(sql, params);
    EXPECT_EQ(error.kind(), DbErrorKind::DuplicateKey) << error.what();
  }
};

// A value that fills the column to its limit.
Value FullValue(const ColumnDef& column) {
  if (column.type != ColumnType::String) {
    const std::map<ColumnType, Value> full = {{ColumnType::SmallInt, 32767},
                                              {ColumnType::Integer, 2147483647},
                                              {ColumnType::BigInt, kMaxUnits},
                                              {ColumnType::Money, kMaxUnits},
                                              {ColumnType::DateTime, "2011-07-31 23:59:59"},
                                              {ColumnType::Date, Date(2011, 7, 31)},
                                              {ColumnType::Bytes, Blob{0x00, 0xff, 0x7f, 0x80}}};
    return full.at(column.type);
  }
  static const char* const kCycle[] = {"帐", "A", "套", "7"};
  std::string text;
  for (int i = 0; i < column.width; ++i) text += kCycle[i % 4];
  return text;
}

TEST_P(SchemaTest, NewBookHoldsEveryTableWithEveryColumnAtFullWidth) {
  CreateSchema(*db);
  EXPECT_EQ(StoredSchemaVersion(*db), kSchemaVersion);

  std::istringstream tables(kBookTables);
  for (std::string name; tables >> name;) {
    EXPECT_NE(FindSchemaTable(name), nullptr) << name;
    EXPECT_TRUE(db->tableExists(name)) << name;
  }

  for (const auto& table : SchemaTables()) {
    SCOPED_TRACE(table.name);
    std::string names;
    std::string placeholders;
    Params params;
    for (const auto& column : table.columns) {
      names += (names.empty() ? "" : ", ") + column.name;
      placeholders += (placeholders.empty() ? ":p" : ", :p") + std::to_string(params.size());
      params.push_back({"p" + std::to_string(params.size()), FullValue(column)});
    }
    Transaction transaction(*db);  // rolled back: the book's own SchemaInfo row stays
    db->execute("DELETE FROM " + table.name);
    ASSERT_NO_THROW(
        db->execute("INSERT INTO " + table.name + " (" + names + ") VALUES (" + placeholders + ")", params));
    const Rows rows = db->query("SELECT " + names + " FROM " + table.name);
    ASSERT_EQ(rows.size(), 1U);
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
      if (table.columns[i].type == ColumnType::Date)  // the server leaves off the time part
        EXPECT_EQ(rows[0].date(table.columns[i].name), Date(2011, 7, 31));
      else
        EXPECT_EQ(TextOf(rows[0].at(i)), TextOf(params[i].value)) << table.columns[i].name;
    }
  }
}

TEST_P(SchemaTest, KeysRefuseDuplicatesAndColumnsWhatDoesNotFit) {
  CreateSchema(*db);
  insertSubject("1001", "现金");
  insertSubject("100101", "人民币");
  expectDuplicate("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:id, :name, :dc, :detail)",
                  {{"id", "1001"}, {"name", "库存现金"}, {"dc", "F"}, {"detail", "T"}});
  // Widths count characters: a name of 32 Chinese characters fits, 33 do not.
  std::string name;
  for (int i = 0; i < 32; ++i) name += "帐";
  EXPECT_NO_THROW(insertSubject("1002", name));
  EXPECT_THROW(insertSubject("1003", name + "套"), DbError);

  const std::string line = "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT) VALUES (:c, :f, :s, :d)";
  db->execute(line, {{"c", "201107000001"}, {"f", 0}, {"s", "1001"}, {"d", nullptr}});
  db->execute(line, {{"c", "201107000001"}, {"f", 1}, {"s", "1001"}, {"d", nullptr}});
  db->execute(line, {{"c", "201107000002"}, {"f", 0}, {"s", "100101010101010101"}, {"d", nullptr}});
  expectDuplicate(line, {{"c", "201107000001"}, {"f", 0}, {"s", "100101"}, {"d", nullptr}});
  refused(line, {{"c", "2011070000051"}, {"f", 0}, {"s", "1001"}, {"d", nullptr}});
  refused(line, {{"c", "201107000006"}, {"f", 0}, {"s", "1001010101010101011"}, {"d", nullptr}});
  refused(line, {{"c", "201107000007"}, {"f", 32768}, {"s", "1001"}, {"d", nullptr}});
  // An amount is a count of ten-thousandths, never a decimal text.
  refused(line, {{"c", "201107000008"}, {"f", 0}, {"s", "1001"}, {"d", "12.50"}});

  const std::string balance = "INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID) VALUES (:y, :m, :s)";
  db->execute(balance, {{"y", "201107"}, {"m", 0}, {"s", "1001"}});
  db->execute(balance, {{"y", "201107"}, {"m", 99}, {"s", "1001"}});
  db->execute(balance, {{"y", "201108"}, {"m", 0}, {"s", "1001"}});
  db->execute(balance, {{"y", "201107"}, {"m", 0}, {"s", "100101"}});
  expectDuplicate(balance, {{"y", "201107"}, {"m", 0}, {"s", "1001"}});
  refused(balance, {{"y", "201107"}, {"m", nullptr}, {"s", "1001"}});  // key columns are required

  const std::string opening = "INSERT INTO SubjectStartData (MNYIDSUBJECTID, MONEYID, SUBJECTID) VALUES (:k, :m, :s)";
  db->execute(opening, {{"k", "001001"}, {"m", 0}, {"s", "1001"}});
  db->execute(opening, {{"k", "991001"}, {"m", 99}, {"s", "1001"}});
  expectDuplicate(opening, {{"k", "001001"}, {"m", 0}, {"s", "1001"}});

  // A voucher number is unique within its type and month; vouchers without one may be many.
  const std::string voucher = "INSERT INTO VoucherMaster (CREDID, AccountVoucherTypeID, CREDCODE) VALUES (:c, :t, :n)";
  db->execute(voucher, {{"c", "201107000001"}, {"t", 1}, {"n", 1}});
  db->execute(voucher, {{"c", "201107000002"}, {"t", 2}, {"n", 1}});
  db->execute(voucher, {{"c", "201108000001"}, {"t", 1}, {"n", 1}});
  db->execute(voucher, {{"c", "201107000003"}, {"t", 1}, {"n", nullptr}});
  db->execute(voucher, {{"c", "201107000004"}, {"t", 1}, {"n", nullptr}});
  const DbError sameNumber = refused(voucher, {{"c", "201107000005"}, {"t", 1}, {"n", 1}});
  EXPECT_TRUE(IsVoucherCodeCollision(sameNumber)) << sameNumber.what();
  const DbError sameId = refused(voucher, {{"c", "201107000001"}, {"t", 1}, {"n", 9}});
  EXPECT_EQ(sameId.kind(), DbErrorKind::DuplicateKey);
  EXPECT_FALSE(IsVoucherCodeCollision(sameId)) << sameId.what();
}

TEST_P(SchemaTest, BooksAreRecognisedAndNeverMadeOverOtherData) {
  auto expectRefusal = [](Connection& connection, const std::string& wanted) {
    try {
      OpenSchema(connection);
      ADD_FAILURE() << "opened";
    } catch (const BookFormatError& error) {
      EXPECT_NE(std::string_view(error.what()).find(wanted), std::string_view::npos) << error.what();
    }
  };
  expectRefusal(*db, "不是青简帐套");
  db->executeScript("CREATE TABLE SchemaInfo (SCHEMAVERSION INTEGER, APPLICATION VARCHAR(32))");
  db->execute("INSERT INTO SchemaInfo VALUES (:v, :a)", {{"v", 1}, {"a", "payroll"}});
  expectRefusal(*db, "不是青简帐套");
  EXPECT_THROW(CreateSchema(*db), BookFormatError);
  EXPECT_FALSE(db->tableExists("Subject"));

  test::ScratchDatabase other(GetParam());
  auto book = other.open();
  CreateSchema(*book);
  EXPECT_NO_THROW(OpenSchema(*book));
  EXPECT_THROW(CreateSchema(*book), BookFormatError);
  book->execute("UPDATE SchemaInfo SET SCHEMAVERSION = :v", {{"v", kSchemaVersion + 1}});
  expectRefusal(*book,
                "此帐套由较新版本的青简创建（版本 " + std::to_string(kSchemaVersion + 1) + "），请升级程序后再打开");
  EXPECT_EQ(StoredSchemaVersion(*book), kSchemaVersion + 1);
}

// Upgrade steps as a later version of the program would have them.
struct FakeUpgrade {
  std::vector<int> ran;
  std::vector<UpgradeStep> steps;

  explicit FakeUpgrade(bool secondFails = false) {
    steps.push_back({kSchemaVersion, [this](Connection& c) {
                       ran.push_back(kSchemaVersion);
                       c.executeScript(AddColumnSql(c.engine(), "Subject", {"ENNAME", ColumnType::String, 32}));
                       c.execute("UPDATE Subject SET ENNAME = :en, NAME = :name WHERE SUBJECTID = :id",
                                 {{"en", "cash"}, {"name", "库存现金"}, {"id", "1001"}});
                     }});
    steps.push_back({kSchemaVersion + 1, [this, secondFails](Connection& c) {
                       ran.push_back(kSchemaVersion + 1);
                       if (secondFails) c.execute("INSERT INTO NoSuchTable (X) VALUES (:x)", {{"x", 1}});
                       TableDef extra{"ExtraList", {{"ID", ColumnType::Integer, 0, true}}, {"ID"}, {}};
                       for (const auto& sql : CreateTableSql(c.engine(), extra)) c.executeScript(sql);
                     }});
  }
};

TEST_P(SchemaTest, UpgradeRunsEachMissingStepOnceOrLeavesTheBookAsItWas) {
  CreateSchema(*db);
  insertSubject("1001", "现金");
  const auto unchanged = [&] {
    EXPECT_FALSE(db->inTransaction());
    EXPECT_EQ(StoredSchemaVersion(*db), kSchemaVersion);
    EXPECT_EQ(TextOf(db->scalar("SELECT NAME FROM Subject WHERE SUBJECTID = :id", {{"id", "1001"}})), "现金");
    EXPECT_THROW(db->query("SELECT ENNAME FROM Subject"), DbError);  // the first step's column
  };
  // A gap in the chain of steps is found before anything is touched.
  FakeUpgrade gap;
  gap.steps.pop_back();
  EXPECT_THROW(OpenSchema(*db, gap.steps, kSchemaVersion + 2), std::logic_error);
  EXPECT_TRUE(gap.ran.empty());
  unchanged();
  // A failing step undoes the steps before it too.
  FakeUpgrade failing(/*secondFails=*/true);
  EXPECT_THROW(OpenSchema(*db, failing.steps, kSchemaVersion + 2), BookFormatError);
  EXPECT_EQ(failing.ran.size(), 2U);
  unchanged();

  FakeUpgrade upgrade;
  OpenSchema(*db, upgrade.steps, kSchemaVersion + 2);
  EXPECT_EQ(upgrade.ran, (std::vector<int>{kSchemaVersion, kSchemaVersion + 1}));
  EXPECT_EQ(StoredSchemaVersion(*db), kSchemaVersion + 2);
  auto subject = db->queryOne("SELECT NAME, ENNAME FROM Subject WHERE SUBJECTID = :id", {{"id", "1001"}});
  ASSERT_TRUE(subject);
  EXPECT_EQ(subject->text("NAME"), "库存现金");
  EXPECT_EQ(subject->text("ENNAME"), "cash");
  EXPECT_TRUE(db->tableExists("ExtraList"));
  // Opening again, on this or another connection, finds nothing left to do.
  OpenSchema(*db, upgrade.steps, kSchemaVersion + 2);
  auto second = scratch.open();
  OpenSchema(*second, upgrade.steps, kSchemaVersion + 2);
  EXPECT_EQ(upgrade.ran.size(), 2U);
  // And this program is now the older one.
  EXPECT_THROW(OpenSchema(*second), BookFormatError);
}

INSTANTIATE_TEST_SUITE_P(Engines, SchemaTest, ::testing::ValuesIn(test::TestEngines()),
                         [](const auto& param) { return test::EngineName(param.param); });

}  // namespace
}  // namespace qj::data
