// Modifying subjects: a code change carried into every table that holds the
// code, and the refusals that keep documents and sub-accounts attached.
#include <gtest/gtest.h>

#include "subjects/chart_fixture.h"
#include "subjects/modify_subject.h"

namespace qj::test {
namespace {

using subjects::SaveResult;

class ModifySubject : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    subject("101", false);
    subject("10101");
    subject("10102");
  }
  SaveResult change(const std::string& code, const std::string& segment, const std::string& name = "改名") {
    const auto current = subjects::PlanModify(host(), code);
    if (!current) return SaveResult::Refused;
    auto draft = subjects::DraftOf(subjects::ChartRules::Of(host().book), *current);
    draft.segment = segment;
    draft.name = name;
    return subjects::ModifySubject(host(), code, draft);
  }
  // A subject without documents that other modules' definitions still name.
  void referenceEverywhere(const std::string& code) {
    opening("00", code, "0");
    db().execute("INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID) VALUES ('201107', 0, :c)", {{"c", code}});
    db().execute("INSERT INTO FixedAssetsCard (ID, CODE, SUBJECTID) VALUES (1, 'GZ-1', :c)", {{"c", code}});
    db().execute("INSERT INTO EmployeeTypeLaborage VALUES (1, 1, :c, :c)", {{"c", code}});
    db().execute("INSERT INTO CostMeans (ID, iSubjectID, sSubjectID) VALUES (1, :c, :c)", {{"c", code}});
    db().execute("INSERT INTO ManyColumnItem (MANYCOLUMNID, ITEMNO, SUBJECTID) VALUES (1, 1, :c)", {{"c", code}});
    db().execute("INSERT INTO CashSub (SubjectID) VALUES (:c)", {{"c", code}});
    db().execute("INSERT INTO HostReservedSub (RESERVEDID, SUBJECTID) VALUES (2, :c)", {{"c", code}});
  }
  std::int64_t holding(const std::string& code) {
    std::int64_t total = referencesTo(code);
    for (const char* sql :
         {"SELECT COUNT(*) FROM SubjectStartData WHERE SUBJECTID=:c AND MNYIDSUBJECTID='00' || :c",
          "SELECT COUNT(*) FROM Balance WHERE SUBJECTID=:c", "SELECT COUNT(*) FROM ManyColumnItem WHERE SUBJECTID=:c",
          "SELECT COUNT(*) FROM CashSub WHERE SubjectID=:c", "SELECT COUNT(*) FROM HostReservedSub WHERE SUBJECTID=:c"})
      total += count(sql, {{"c", code}});
    return total;
  }
};
QJ_ON_EVERY_ENGINE(ModifySubject);

TEST_P(ModifySubject, ACodeChangeIsCarriedIntoEveryTableHoldingTheCode) {
  referenceEverywhere("10102");
  EXPECT_EQ(holding("10102"), 8);
  const int reloads = host().reloads;
  ASSERT_EQ(change("10102", "09"), SaveResult::Saved);
  EXPECT_EQ(holding("10109"), 8);
  EXPECT_EQ(holding("10102"), 0);
  EXPECT_EQ(text("SELECT NAME FROM Subject WHERE SUBJECTID='10109'"), "改名");
  EXPECT_EQ(text("SELECT NAME FROM SubjectStartData WHERE SUBJECTID='10109'"), "改名");
  EXPECT_EQ(host().reloads, reloads + 1);  // the reserved subjects moved
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(ModifySubject, CodesOfUsedAndSummarySubjectsStay) {
  line("201107000001", 1, "10101", "10");
  EXPECT_EQ(change("10101", "05"), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "该科目已有单据发生，不可修改该科目的编码");
  EXPECT_EQ(change("10101", "01", "库存现金"), SaveResult::Saved);  // other fields may change
  EXPECT_EQ(change("101", "109"), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "该科目已有下级科目，不可修改该科目的编码");
  EXPECT_EQ(change("", "01"), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "请先选择一个科目，然后再修改");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE SUBJECTID IN ('101', '10101', '10102')"), 3);
}

TEST_P(ModifySubject, AFailedCodeChangeLeavesTheBookAsItWas) {
  referenceEverywhere("10102");
  const std::string before = book();
  failOn("SubjectStartData", "UPDATE");  // the opening rows follow last
  EXPECT_THROW(change("10102", "09"), data::DbError);
  EXPECT_TRUE(host().heldLocks.empty());
  db().executeScript(GetParam() == data::Engine::Sqlite ? "DROP TRIGGER injected_failure;"
                                                        : "DROP TRIGGER injected_failure ON SubjectStartData;");
  EXPECT_EQ(book(), before);
  host().refusedLocks.insert("CREDLOCK");
  EXPECT_EQ(change("10102", "09"), SaveResult::Refused);
  EXPECT_EQ(book(), before);
}

}  // namespace
}  // namespace qj::test
