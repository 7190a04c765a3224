// Adding subjects: the checks where the row is stored, the move of a used
// subject's data onto its first sub-account, and customer and supplier sub-accounts.
#include <gtest/gtest.h>

#include "subjects/add_subject.h"
#include "subjects/chart_fixture.h"
#include "subjects/counterparty_queries.h"

namespace qj::test {
namespace {

using subjects::SaveResult;

class AddSubject : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    subject("101", false);
    subject("10101");
  }
  subjects::SubjectDraft draft(const std::string& segment) {
    subjects::SubjectDraft d;
    d.segment = segment;
    d.name = "新科目";
    d.debit = true;
    return d;
  }
  SaveResult addUnder(const std::string& parent, const std::string& segment) {
    const auto plan = subjects::PlanAddChild(host(), parent);
    if (!plan) return SaveResult::Refused;
    return subjects::AddSubject(host(), *plan, draft(segment));
  }
};
QJ_ON_EVERY_ENGINE(AddSubject);

TEST_P(AddSubject, FirstSubAccountOfAUsedSubjectTakesOverItsData) {
  useEverywhere("10101", true);
  answerYes();
  ASSERT_EQ(addUnder("10101", "01"), SaveResult::Saved);
  EXPECT_EQ(host().messages.front().caption, "询问");
  EXPECT_EQ(referencesTo("1010101"), 8);
  EXPECT_EQ(referencesTo("10101"), 0);
  // Balances, profit-and-loss figures and opening rows are copied: the parent keeps them as totals.
  EXPECT_EQ(count("SELECT COUNT(*) FROM Balance WHERE SUBJECTID='1010101'"), 12);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Balance WHERE SUBJECTID='10101'"), 12);
  EXPECT_EQ(count("SELECT COUNT(*) FROM ProfitAndLoss WHERE SUBJECTID='1010101'"), 1);
  EXPECT_EQ(text("SELECT MNYIDSUBJECTID FROM SubjectStartData WHERE SUBJECTID='1010101' AND MONEYID=99"), "991010101");
  EXPECT_EQ(count("SELECT Balance FROM SubjectStartData WHERE MNYIDSUBJECTID='001010101'"), 3000000);
  // The parent becomes a summary subject, in its opening rows too.
  EXPECT_EQ(detailFlag("10101"), "F");
  EXPECT_EQ(count("SELECT COUNT(*) FROM SubjectStartData WHERE SUBJECTID='10101' AND DETAILFLAG='F'"), 2);
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(AddSubject, AMoveThatFailsOrIsNotAllowedLeavesTheBookAsItWas) {
  useEverywhere("10101");
  const std::string before = book();
  EXPECT_EQ(addUnder("10101", "01"), SaveResult::Declined);  // the question answered No
  answerYes();
  host().refusedLocks.insert("CREDLOCK");
  EXPECT_EQ(addUnder("10101", "01"), SaveResult::Refused);
  EXPECT_NE(lastMessage().find("需独占帐务系统"), std::string::npos);
  host().refusedLocks.clear();
  answerYes();
  failOn("SubjectStartData", "INSERT");  // the last step of the move
  EXPECT_THROW(addUnder("10101", "01"), data::DbError);
  EXPECT_TRUE(host().heldLocks.empty());
  db().executeScript(GetParam() == data::Engine::Sqlite ? "DROP TRIGGER injected_failure;"
                                                        : "DROP TRIGGER injected_failure ON SubjectStartData;");
  EXPECT_EQ(book(), before);
  // Without the subject-rule flag a used subject keeps its level.
  host().book.SubjectRuleFlag = false;
  EXPECT_EQ(addUnder("10101", "01"), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "科目已经有单据发生或被引用，不能再设下级明细科目。");
  EXPECT_EQ(book(), before);
}

TEST_P(AddSubject, ChecksAreRepeatedWhereTheRowIsStored) {
  const auto plan = subjects::PlanAddChild(host(), "10101");
  ASSERT_TRUE(plan);
  ASSERT_FALSE(plan->takesOverData);
  line("201107000001", 1, "10101", "10");  // another user meanwhile
  EXPECT_EQ(subjects::AddSubject(host(), *plan, draft("01")), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "所选科目已被其他用户修改，请重新操作。");
  db().execute("DELETE FROM VoucherDetail");
  db().execute("UPDATE Subject SET ATTRFLAG=4 WHERE SUBJECTID='10101'");
  EXPECT_EQ(subjects::AddSubject(host(), *plan, draft("01")), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "该科目受系统限制，不设下级明细科目。");
  db().execute("DELETE FROM Subject WHERE SUBJECTID='10101'");
  EXPECT_EQ(subjects::AddSubject(host(), *plan, draft("01")), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "所选科目已被其他用户删除。");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject"), 1);
}

// A subject code is digits only, typed whole or as a segment.
TEST_P(AddSubject, CodesThatAreNotDigitsAreRefused) {
  const auto rules = subjects::ChartRules::Of(host().book);
  for (const char* code : {"10a", "101--", "1210%", "1_1", "10 1"}) {
    const auto checked = subjects::CheckAddOfCode(db(), rules, code);
    ASSERT_TRUE(std::holds_alternative<Refusal>(checked)) << code;
    EXPECT_EQ(std::get<Refusal>(checked).text, "科目编码只能由数字组成") << code;
  }
  for (const char* segment : {"0a", "%1", "-1"}) {
    EXPECT_EQ(addUnder("101", segment), SaveResult::Refused) << segment;
    EXPECT_EQ(lastMessage(), "科目编码只能由数字组成") << segment;
  }
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject"), 2);
  EXPECT_EQ(addUnder("101", "02"), SaveResult::Saved);
}

TEST_P(AddSubject, CustomerSubAccountsComeFromTheCustomerList) {
  host().book.SubjectRuleFlag = false;
  subject("113", false, 0, 113);
  subject("11301", true, 4, 0, 11300001);
  db().execute("INSERT INTO CLIENT (ClientID, Abbreviation) VALUES (1, '华联'), (2, '百货大楼')");
  db().execute("INSERT INTO VENDOR (VendorID, Abbreviation) VALUES (1, '纺织厂')");
  const auto unlinked = subjects::UnlinkedCounterparties(db(), 113);
  ASSERT_EQ(unlinked.size(), 1U);  // 华联 has its sub-account already
  EXPECT_EQ(unlinked[0].abbreviation, "百货大楼");
  EXPECT_EQ(subjects::UnlinkedCounterparties(db(), 203).front().abbreviation, "纺织厂");

  const auto plan = subjects::PlanAddChild(host(), "113");
  ASSERT_TRUE(plan);
  auto d = draft(plan->proposedSegment);
  EXPECT_EQ(subjects::AddSubject(host(), *plan, d), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "客户或供应商未选择，不能保存");
  d.counterparty = 1;
  EXPECT_EQ(subjects::AddSubject(host(), *plan, d), SaveResult::Refused);
  EXPECT_EQ(lastMessage(), "所选客户已经设有往来科目");
  d.counterparty = 2;
  ASSERT_EQ(subjects::AddSubject(host(), *plan, d), SaveResult::Saved);
  const auto stored = db().queryOne("SELECT * FROM Subject WHERE SUBJECTID='11302'");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->integer("ATTRFLAG"), 4);
  EXPECT_EQ(stored->integer("RELEVANTID"), 11300002);
}

}  // namespace
}  // namespace qj::test
