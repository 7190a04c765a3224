#include "periodend/posting_checks.h"

#include <string>
#include <vector>

#include "periodend/posting_fixture.h"

namespace qj::test {
namespace {

class PostingChecks : public PostingTest {
 protected:
  std::string balanced(int no) {
    std::string id = voucher(no);
    line(id, "101", Yuan("10"), {});
    line(id, "501", {}, Yuan("10"));
    return id;
  }
  // The refusal's text and caption, "" when the checks pass.
  std::string check(bool stopOnGap = true) {
    const auto refusal = periodend::CheckVouchersBeforePosting(db(), Period{2011, 7}, stopOnGap);
    return refusal ? refusal->text + " / " + refusal->caption : "";
  }
};
QJ_ON_EVERY_ENGINE(PostingChecks);

TEST_P(PostingChecks, NumbersMayRepeatButNotSkip) {
  EXPECT_EQ(check(), "");  // an empty period passes
  for (int serial : {1, 2, 3, 4}) balanced(serial);
  db().execute("UPDATE VoucherMaster SET CREDNO=CREDNO-1 WHERE CREDNO>2");  // numbers 1, 2, 2, 3
  EXPECT_EQ(check(), "");
  db().execute("UPDATE VoucherMaster SET CREDNO=5 WHERE CREDID='201107000004'");  // 1, 2, 2, 5
  EXPECT_EQ(check(), "第2号凭证后顺序号不连续，终止登帐 / 凭证顺序号不连续");
}

TEST_P(PostingChecks, AGapOrAMissingFirstVoucherStopsOnlyWhenAsked) {
  balanced(1);
  balanced(3);
  EXPECT_EQ(check(), "第1号凭证后顺序号不连续，终止登帐 / 凭证顺序号不连续");
  EXPECT_EQ(check(false), "");
  db().execute("DELETE FROM VoucherDetail WHERE CREDID='201107000001'");
  db().execute("INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT) VALUES ('201107000001', '0101', 5)");
  EXPECT_EQ(check(), "本期第1号凭证不存在 / 凭证顺序号不连续");  // the bare header went as an orphan
  EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM VoucherMaster").storage(), data::Value(1).storage());
  EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM FluxionDistribute").storage(), data::Value(0).storage())
      << "its allocation went with it";
  EXPECT_EQ(check(false), "");
}

TEST_P(PostingChecks, WrongSubjectsAndAmountsAreRefused) {
  balanced(1);
  const std::string second = voucher(2);
  line(second, "999", Yuan("1"), {});
  line(second, "102", {}, Yuan("1"));
  EXPECT_EQ(check(), "第2号凭证科目有错误，请修正后再登帐 / 凭证科目错");  // unknown subject
  db().execute("UPDATE VoucherDetail SET SUBJECTID='101' WHERE CREDID=:id AND SUBJECTID='999'", {{"id", second}});
  EXPECT_EQ(check(), "第2号凭证科目有错误，请修正后再登帐 / 凭证科目错");  // a summary subject
  db().execute("UPDATE VoucherDetail SET SUBJECTID='10201' WHERE CREDID=:id AND SUBJECTID='102'", {{"id", second}});
  EXPECT_EQ(check(), "");

  db().execute("UPDATE VoucherDetail SET CREDIT=:c WHERE CREDID=:id AND FENLUNO=1",
               {{"c", Yuan("0.01") + Yuan("1")}, {"id", second}});
  EXPECT_EQ(check(), "第2号凭证借贷方金额不等，请修正后再登帐 / 凭证数据错");

  // Balanced in total, but one line carries both amounts.
  db().execute("UPDATE VoucherDetail SET DEBIT=:d, CREDIT=:c WHERE CREDID=:id AND FENLUNO=0",
               {{"d", Yuan("1")}, {"c", Yuan("1")}, {"id", second}});
  db().execute("UPDATE VoucherDetail SET CREDIT=:c WHERE CREDID=:id AND FENLUNO=1", {{"c", Yuan("0")}, {"id", second}});
  EXPECT_EQ(check(), "第2号凭证分录借贷方同时有金额，请修正后再登帐 / 凭证数据错");
}

TEST_P(PostingChecks, OrphansGoAndOtherMonthsAreNotChecked) {
  balanced(1);
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT) VALUES ('201107000009', 0, '999', :d)",
               {{"d", Yuan("3")}});
  db().execute("INSERT INTO VoucherMaster (CREDID, CREDNO, POSTFLAG) VALUES ('201108000005', 5, 'F')");
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT) VALUES ('201108000005', 0, '999', :d)",
               {{"d", Yuan("3")}});
  // An orphan of another month waits for that month's posting.
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT) VALUES ('201108000007', 0, '101', :d)",
               {{"d", Yuan("4")}});
  EXPECT_EQ(check(), "");
  EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM VoucherDetail").storage(), data::Value(4).storage());
  EXPECT_FALSE(db().queryOne("SELECT 1 FROM VoucherDetail WHERE CREDID='201107000009'"));
}

// Passes every statement on to the book's connection and keeps the text and
// parameters of each, so that the test can ask the server for their plans.
class StatementRecorder final : public data::Connection {
 public:
  explicit StatementRecorder(data::Connection& inner) : inner_(inner) {}
  [[nodiscard]] data::Engine engine() const override { return inner_.engine(); }
  [[nodiscard]] std::string location() const override { return inner_.location(); }
  std::int64_t execute(std::string_view sql, const data::Params& params) override {
    statements.push_back({std::string(sql), params});
    return inner_.execute(sql, params);
  }
  data::Rows query(std::string_view sql, const data::Params& params) override {
    statements.push_back({std::string(sql), params});
    return inner_.query(sql, params);
  }
  void insertRows(std::string_view table, std::span<const std::string_view> columns,
                  std::span<const data::Value> values) override {
    inner_.insertRows(table, columns, values);
  }
  void executeScript(std::string_view sql) override { inner_.executeScript(sql); }
  bool tableExists(std::string_view table) override { return inner_.tableExists(table); }

  struct Statement {
    std::string sql;
    data::Params params;
  };
  std::vector<Statement> statements;

 private:
  data::Connection& inner_;
};

// With the server's memory for hashing far below what a book's identifiers
// need, a NOT IN over a subquery becomes a subplan scanned once per row:
// posting a year's book never finishes. The clean-up must plan as joins.
TEST_P(PostingChecks, TheOrphanCleanUpPlansAsJoinsWhenTheServerHasLittleMemory) {
  if (GetParam() != data::Engine::Postgres) GTEST_SKIP() << "a PostgreSQL planner question";
  balanced(1);
  db().executeScript("SET work_mem='64kB'");
  StatementRecorder recorder(db());
  EXPECT_EQ(periodend::CheckVouchersBeforePosting(recorder, Period{2011, 7}, true), std::nullopt);
  std::size_t deletes = 0;
  for (const auto& [statement, params] : recorder.statements) {
    if (statement.rfind("DELETE", 0) != 0) continue;
    ++deletes;
    std::string plan;
    for (const data::Row& row : db().query("EXPLAIN " + statement, params)) plan += row.text("QUERY PLAN") + "\n";
    EXPECT_EQ(plan.find("SubPlan"), std::string::npos) << statement << "\n" << plan;
  }
  EXPECT_EQ(deletes, 3u);
  db().executeScript("RESET work_mem");
}

}  // namespace
}  // namespace qj::test
