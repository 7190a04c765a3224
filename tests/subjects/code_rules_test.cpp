// The code rules of the add and modify dialogs under different level schemes,
// the proposed codes and the protection bits.
#include <gtest/gtest.h>

#include "subjects/add_subject.h"
#include "subjects/chart_fixture.h"
#include "subjects/draft_validation.h"

namespace qj::test {
namespace {

using subjects::AddPlan;
using subjects::ChartRules;
using subjects::SubjectDraft;

class CodeRules : public ChartTest {
 protected:
  ChartRules rules() { return ChartRules::Of(host().book); }
  std::string refusal(const subjects::DraftPlace& place, const SubjectDraft& draft) {
    const auto refused = subjects::CheckDraft(db(), rules(), place, draft);
    return refused ? refused->caption + ":" + refused->text : "";
  }
  std::optional<AddPlan> child(const std::string& code) { return subjects::PlanAddChild(host(), code); }
  std::optional<AddPlan> sibling(const std::string& code, int shownClass = 1) {
    return subjects::PlanAddSibling(host(), code, shownClass);
  }
};
QJ_ON_EVERY_ENGINE(CodeRules);

TEST_P(CodeRules, DraftChecksComeInTheirOrder) {
  subject("101");
  SubjectDraft draft;
  draft.segment = "1";
  const subjects::DraftPlace levelOne{"", 1, 1, ""};
  EXPECT_EQ(refusal(levelOne, draft), "提示信息:科目名称不可为空");
  draft.name = "现金";
  EXPECT_EQ(refusal(levelOne, draft), "提示信息:余额方向必须先选定");
  draft.debit = true;
  EXPECT_EQ(refusal(levelOne, draft), "编码错误:科目编码格式错，正确的格式应为：3-2-2-2");
  draft.segment = "201";
  EXPECT_EQ(refusal(levelOne, draft), "提示信息:资产类科目编码首位必须为1");
  EXPECT_EQ(refusal({"", 1, 2, ""}, draft), "");
  draft.segment = "101";
  EXPECT_EQ(refusal(levelOne, draft), "出错信息:科目编码已被其他科目使用");
  // Under a parent only the typed segment counts, with the width of its level.
  draft.segment = "1";
  EXPECT_EQ(refusal({"101", 2, 1, ""}, draft), "编码错误:科目编码格式错，正确的格式应为：3-2-2-2");
  draft.segment = "01";
  EXPECT_EQ(refusal({"101", 2, 1, ""}, draft), "");
  draft.foreignCurrency = subjects::foreign::Single;
  EXPECT_EQ(refusal({"101", 2, 1, ""}, draft), "提示信息:核算单一外币时必须选定一种外币");
}

TEST_P(CodeRules, ChildrenFollowTheBooksLevelScheme) {
  host().book.SubjectLevelLen = {3, 5, 7};
  host().book.SubjectLevels = 3;
  subject("100", false);
  subject("1001");
  subject("10001", false);
  subject("1000101");
  // 1001 has no level: nothing can go under it.
  EXPECT_FALSE(child("1001"));
  EXPECT_EQ(lastMessage(), "科目编码格式错，正确的格式应为：3-2-2");
  EXPECT_EQ(child("100")->proposedSegment, "02");
  EXPECT_FALSE(child("1000101"));
  EXPECT_EQ(lastMessage(), "本帐套最多为3级科目，你不可再设更多级科目");
  EXPECT_EQ(host().messages.back().caption, "提示");

  host().book.SubjectLevelLen = {4, 7};
  host().book.SubjectLevels = 2;
  subject("1002");
  const auto plan = child("1002");
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->parent + plan->proposedSegment, "1002001");
}

TEST_P(CodeRules, ProposalsAreSuccessorsPaddedToTheirWidth) {
  EXPECT_EQ(sibling("", 2)->proposedSegment, "201");  // the first subject of an empty class
  subject("101", false);
  subject("10103", false);
  subject("1010399");
  EXPECT_EQ(child("101")->proposedSegment, "04");
  EXPECT_EQ(sibling("10103")->proposedSegment, "04");
  EXPECT_EQ(sibling("101")->proposedSegment, "102");
  EXPECT_FALSE(child("10103"));
  EXPECT_EQ(lastMessage(), "科目编号出现异常情况");
  EXPECT_FALSE(sibling("1010399"));
  EXPECT_EQ(lastMessage(), "科目编号出现异常情况");
  EXPECT_FALSE(sibling(""));
  EXPECT_EQ(lastMessage(), "请先选择一个科目，然后再增加");
}

TEST_P(CodeRules, ProtectionBitsFollowTheRuleFlag) {
  subject("101", true, 4);
  subject("102", true, 64, 102);
  subject("113", true, 0, 113);
  EXPECT_FALSE(child("101"));
  EXPECT_EQ(lastMessage(), "该科目受系统限制，不设下级明细科目。");
  EXPECT_TRUE(child("102"));
  EXPECT_FALSE(child("113"));
  EXPECT_EQ(lastMessage(), "此会计科目不能增加下级科目");

  host().book.SubjectRuleFlag = false;
  EXPECT_TRUE(child("101"));
  EXPECT_FALSE(child("102"));
  EXPECT_EQ(lastMessage(), "该科目为系统保留科目，不设下级明细科目。");
  EXPECT_EQ(child("113")->kind, subjects::AddKind::Counterparty);

  const auto before = host().messages.size();
  host().deniedPrivileges.insert({8, 2});
  EXPECT_FALSE(child("102"));
  EXPECT_EQ(host().messages.size(), before);  // the host tells about privileges
}

}  // namespace
}  // namespace qj::test
