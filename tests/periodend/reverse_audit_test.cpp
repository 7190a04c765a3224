#include "periodend/reverse_audit.h"

#include "periodend/audit_fixture.h"

namespace qj::periodend {
namespace {

class ReverseAuditTest : public test::AuditTest {};

TEST_P(ReverseAuditTest, TakesBackEveryAuditInTheSequenceRangeWhoeverMadeOrAuditedIt) {
  voucher("201107000001", 1, 9, "测试员", "测试员");
  voucher("201107000002", 2, 8, "张三", "李四");
  voucher("201107000003", 1, 1, "张三", "李四");  // sequence 3, outside 1-2 though its number is 1
  voucher("201108000001", 1, 1, "张三", "李四");
  const auto outcome = ReverseAudit(host(), {2011, 7, 1, 2});
  ASSERT_EQ(outcome.result, ReverseAuditResult::Done);
  EXPECT_EQ(outcome.unaudited, 2);
  EXPECT_EQ(audit("201107000001"), "F ");
  EXPECT_EQ(audit("201107000002"), "F ");
  EXPECT_EQ(audit("201107000003"), "T 李四");
  EXPECT_EQ(audit("201108000001"), "T 李四");
  EXPECT_TRUE(host().messages.empty());
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(ReverseAuditTest, APostedVoucherInRangeChangesNothingAndLeavesNothingOpen) {
  voucher("201107000001", 1, 1, "张三", "李四");
  voucher("201107000002", 1, 2, "张三", "李四", true);
  voucher("201107000003", 1, 3, "张三", "李四");
  const auto outcome = ReverseAudit(host(), {2011, 7, 1, 999999});
  EXPECT_EQ(outcome.result, ReverseAuditResult::Refused);
  EXPECT_EQ(audit("201107000001"), "T 李四");
  EXPECT_EQ(audit("201107000003"), "T 李四");
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "有已经登帐的记帐凭证存在，请先进行反登帐,再进行反审核！");
  EXPECT_EQ(host().messages[0].caption, "询问");
  EXPECT_TRUE(host().heldLocks.empty());
  EXPECT_FALSE(db().inTransaction());

  // A range beside the posted voucher is free.
  EXPECT_EQ(ReverseAudit(host(), {2011, 7, 3, 3}).unaudited, 1);
  EXPECT_EQ(audit("201107000003"), "F ");
}

TEST_P(ReverseAuditTest, ABusySaveLockChangesNothing) {
  voucher("201107000001", 1, 1, "张三", "李四");
  host().refusedLocks = {"CREDWLOCK"};
  EXPECT_EQ(ReverseAudit(host(), {2011, 7, 1, 999999}).result, ReverseAuditResult::Refused);
  EXPECT_EQ(audit("201107000001"), "T 李四");
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "其他用户正在进行保存凭证操作，请稍后再反审核。");
  EXPECT_EQ(host().messages[0].caption, "青简财务");
}

TEST_P(ReverseAuditTest, TheDialogStartsOnTheCurrentPeriodAndRefusesOutOfRangeFields) {
  EXPECT_EQ(DefaultReverseAuditRange(host().book), (ReverseAuditRange{2011, 7, 1, 999999}));
  EXPECT_FALSE(ReverseAuditRangeRefusal({2100, 12, 1, 999999}));
  EXPECT_TRUE(ReverseAuditRangeRefusal({1969, 7, 1, 2}));
  EXPECT_TRUE(ReverseAuditRangeRefusal({2011, 13, 1, 2}));
  EXPECT_TRUE(ReverseAuditRangeRefusal({2011, 7, 0, 2}));
  EXPECT_TRUE(ReverseAuditRangeRefusal({2011, 7, 1, 1000000}));
}

QJ_ON_EVERY_ENGINE(ReverseAuditTest);

}  // namespace
}  // namespace qj::periodend
