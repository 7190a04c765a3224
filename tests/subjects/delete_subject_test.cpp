// Deleting subjects: the refusals in their order, the plain deletion, and the
// move of a used only sub-account's data up to its parent.
#include <gtest/gtest.h>

#include "subjects/chart_fixture.h"
#include "subjects/delete_subject.h"

namespace qj::test {
namespace {

using subjects::SaveResult;

class DeleteSubject : public ChartTest {
 protected:
  SaveResult remove(const std::string& code) { return subjects::DeleteSubject(host(), code); }
  std::string refusal(const std::string& code) {
    const std::size_t before = host().messages.size();
    EXPECT_EQ(remove(code), SaveResult::Refused);
    return host().messages.size() > before ? lastMessage() : "(nothing shown)";
  }
};
QJ_ON_EVERY_ENGINE(DeleteSubject);

TEST_P(DeleteSubject, RefusalsComeInTheirOrder) {
  subject("101", false);
  subject("10101");
  subject("10102", true, 2);
  subject("102", false);
  subject("10201");
  subject("113", false, 0, 113);
  subject("11301", true, 4, 0, 11300001);
  subject("501", false);
  subject("50101", false);
  subject("502");
  subject("5010101", true, 0, 113);
  db().execute("INSERT INTO CostMeans (ID, iSubjectID) VALUES (1, '1020105')");
  line("201107000001", 1, "10101", "10");
  line("201107000001", 2, "502", "10");
  line("201107000001", 3, "5010101", "10");

  EXPECT_EQ(refusal(""), "请先选择一个科目，然后再删除");
  EXPECT_EQ(refusal("101"), "不能删除非明细科目");
  EXPECT_EQ(refusal("10103"), "所选科目已被其他用户删除。");
  EXPECT_EQ(refusal("10102"), "该科目被系统保留，不能被删除");
  EXPECT_EQ(refusal("10201"), "不能删除已经使用的科目（或被系统引用）");  // CostMeans holds a longer code
  EXPECT_EQ(refusal("11301"), "不能删除已经使用的科目");                  // a customer sub-account, unused
  EXPECT_EQ(refusal("10101"), "不能删除已经使用的科目");                  // used and not the only sub-account
  EXPECT_EQ(refusal("502"), "不能删除已经使用的科目");                    // used and on level 1: it is its own parent
  EXPECT_EQ(refusal("5010101"), "不能删除已经使用的科目");  // its own standard code is a control account's
  host().deniedPrivileges.insert({8, 4});
  EXPECT_EQ(refusal("10102"), "(nothing shown)");

  host().deniedPrivileges.clear();
  host().book.SubjectRuleFlag = false;  // now bit 32 protects, and customer sub-accounts may go
  answerYes();
  EXPECT_EQ(remove("11301"), SaveResult::Saved);
  answerYes();
  EXPECT_EQ(remove("10102"), SaveResult::Saved);
}

TEST_P(DeleteSubject, AnUnusedOnlyChildLeavesItsParentADetailSubject) {
  subject("101", false);
  subject("10101");
  opening("00", "10101", "0");
  EXPECT_EQ(remove("10101"), SaveResult::Declined);
  EXPECT_EQ(lastMessage(), "确定要删除该科目");
  EXPECT_EQ(host().messages.back().caption, "询问");
  answerYes();
  ASSERT_EQ(remove("10101"), SaveResult::Saved);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE SUBJECTID='10101'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM SubjectStartData"), 0);
  EXPECT_EQ(detailFlag("101"), "T");
}

TEST_P(DeleteSubject, AUsedOnlyChildMovesItsDataToItsParent) {
  subject("101", false);
  subject("10101");
  useEverywhere("10101");
  for (int month = 1; month <= 12; ++month) balance("2011" + IntToStr(month, 2), "101", "150");
  opening("00", "101", "300");
  db().execute("UPDATE SubjectStartData SET DETAILFLAG='F' WHERE SUBJECTID='101'");
  db().execute("UPDATE SubjectStartData SET Balance=:b WHERE MNYIDSUBJECTID='0010101'", {{"b", Money::parse("320")}});
  answerYes();
  ASSERT_EQ(remove("10101"), SaveResult::Saved);
  EXPECT_NE(host().messages.back().text.find("唯一一个下级科目"), std::string::npos);
  EXPECT_EQ(referencesTo("101"), 7);
  EXPECT_EQ(referencesTo("10101"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Balance WHERE SUBJECTID='10101'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Balance WHERE SUBJECTID='101'"), 12);
  EXPECT_EQ(count("SELECT COUNT(*) FROM ProfitAndLoss"), 0);
  // The child's opening rows become the parent's, which is now a detail subject.
  EXPECT_EQ(count("SELECT COUNT(*) FROM SubjectStartData WHERE SUBJECTID='10101'"), 0);
  EXPECT_EQ(count("SELECT Balance FROM SubjectStartData WHERE MNYIDSUBJECTID='00101'"), 3200000);
  EXPECT_EQ(count("SELECT COUNT(*) FROM SubjectStartData WHERE SUBJECTID='101' AND DETAILFLAG='T'"), 2);
  EXPECT_EQ(detailFlag("101"), "T");
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(DeleteSubject, AFailedMoveLeavesTheBookAsItWas) {
  subject("101", false);
  subject("10101");
  useEverywhere("10101");
  const std::string before = book();
  answerYes();
  failOn("Subject", "UPDATE");  // the parent turning detail comes last
  EXPECT_THROW(remove("10101"), data::DbError);
  EXPECT_TRUE(host().heldLocks.empty());
  db().executeScript(GetParam() == data::Engine::Sqlite ? "DROP TRIGGER injected_failure;"
                                                        : "DROP TRIGGER injected_failure ON Subject;");
  EXPECT_EQ(book(), before);
  answerYes();
  host().refusedLocks.insert("CREDLOCK");
  EXPECT_EQ(remove("10101"), SaveResult::Refused);
  EXPECT_EQ(book(), before);
}

}  // namespace
}  // namespace qj::test
