// The header of the voucher entry model: a new voucher's defaults and the
// numbers that follow a change of date, sequence number or type.
#include <gtest/gtest.h>

#include "entry_model_fixture.h"

namespace qj::test {
namespace {

class EntryHeader : public EntryModelTest {};
QJ_ON_EVERY_ENGINE(EntryHeader);

TEST_P(EntryHeader, ANewVoucherStartsWithItsDefaults) {
  open();
  ASSERT_TRUE(opened);
  const vouchers::VoucherHeader& header = model().header();
  EXPECT_EQ(header.credId, "201107000001");
  EXPECT_EQ(header.credNo, 1);
  EXPECT_EQ(header.typeId, 1);
  EXPECT_EQ(model().typeName(), "记");
  EXPECT_EQ(header.credCode, 1);
  EXPECT_EQ(header.credDate, Date(2011, 7, 15));
  EXPECT_EQ(header.billMaker, "测试员");
  EXPECT_EQ(header.billNumber, 0);
  EXPECT_FALSE(header.checked);
  EXPECT_FALSE(header.posted);
  EXPECT_EQ(header.sourceKind, 0);
  EXPECT_EQ(header.printStyleId, 20);
  EXPECT_TRUE(model().isNew());
  EXPECT_FALSE(model().modified());
  ASSERT_EQ(model().lines().size(), 1u);
  EXPECT_TRUE(current().isBlank());
  EXPECT_EQ(current().currencyName, "人民币");
  ASSERT_EQ(model().voucherTypes().size(), 1u);
  EXPECT_EQ(model().voucherTypes()[0].name, "记");
}

TEST_P(EntryHeader, ANewVoucherFollowsTheNumbersAndTypeAlreadyInUse) {
  host().book.AccountVoucherType = 2;
  storeVoucher("201107000004", 3, 6, {});
  storeVoucher("201107000002", 2, 2, {});
  open();
  EXPECT_EQ(model().header().credId, "201107000005");
  EXPECT_EQ(model().header().credNo, 5);
  EXPECT_EQ(model().header().typeId, 3);  // the type of the period's latest voucher
  EXPECT_EQ(model().header().credCode, 7);
  EXPECT_EQ(model().voucherTypes().size(), 3u);
}

TEST_P(EntryHeader, ADateInTheSameMonthKeepsTheNumbersAnotherMonthRenumbers) {
  storeVoucher("201108000003", 1, 4, {});
  open();
  ASSERT_TRUE(model().setDate(Date(2011, 7, 20)));
  EXPECT_EQ(model().header().credId, "201107000001");
  EXPECT_EQ(model().header().credDate, Date(2011, 7, 20));
  EXPECT_TRUE(model().modified());
  ASSERT_TRUE(model().setDate(Date(2011, 8, 2)));
  EXPECT_EQ(model().header().credId, "201108000004");
  EXPECT_EQ(model().header().credNo, 4);
  EXPECT_EQ(model().header().credCode, 5);
}

TEST_P(EntryHeader, ADateMoreThanAYearAheadIsTakenOnlyWhenTheUserConfirmsIt) {
  open();
  ASSERT_TRUE(model().setDate(Date(2012, 7, 31)));  // twelve months ahead: no question
  EXPECT_TRUE(host().messages.empty());
  host().answers = {msgbox::IdNo};
  EXPECT_FALSE(model().setDate(Date(2021, 8, 1)));  // a slip for 2011
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages.back().text,
            "凭证日期 2021-08-01 比当前会计期间（2011年7月）晚一年以上，是否确实要使用这个日期？");
  EXPECT_EQ(model().header().credDate, Date(2012, 7, 31));
  host().answers = {msgbox::IdYes};
  ASSERT_TRUE(model().setDate(Date(2021, 8, 1)));
  EXPECT_EQ(model().header().credId, "202108000001");
}

TEST_P(EntryHeader, AStoredVoucherMovedToAnotherMonthTakesThatMonthsCodeAndItsOwnBackHome) {
  storeVoucher("201107000002", 1, 9, {{"10001", "1", "0"}, {"50001", "0", "1"}});
  storeVoucher("201108000001", 1, 9, {});
  open("201107000002");
  ASSERT_TRUE(model().setDate(Date(2011, 8, 1)));
  EXPECT_EQ(model().header().credId, "201108000002");
  EXPECT_EQ(model().header().credCode, 10);  // August's 9 belongs to another voucher
  EXPECT_EQ(model().storedCredId(), "201107000002");
  ASSERT_TRUE(model().setDate(Date(2011, 7, 3)));
  EXPECT_EQ(model().header().credCode, 9);
}

TEST_P(EntryHeader, TheSequenceNumberTakesDigitsOnly) {
  open();
  ASSERT_TRUE(model().setCredNoText("12"));
  EXPECT_EQ(model().header().credNo, 12);
  EXPECT_EQ(model().header().credId, "201107000012");
  for (const char* bad : {"1a", "", "-3", "1.5", " 7"}) {
    EXPECT_FALSE(model().setCredNoText(bad)) << bad;
    EXPECT_EQ(lastMessage(), "顺序号只能为整数，请重新输入!");
    EXPECT_EQ(last().caption, "提示");
    EXPECT_EQ(model().header().credId, "201107000012");
  }
  ASSERT_TRUE(model().setCredNoText("99999999999999999999"));
  EXPECT_GT(model().header().credNo, 999999);
}

TEST_P(EntryHeader, AnotherTypeTakesItsNextCodeAndTheStoredTypeItsOwnAgain) {
  host().book.AccountVoucherType = 2;
  storeVoucher("201107000001", 2, 7, {{"10001", "1", "0"}, {"50001", "0", "1"}});
  storeVoucher("201107000002", 3, 4, {});
  open("201107000001");
  ASSERT_TRUE(model().setType(3));
  EXPECT_EQ(model().header().credCode, 5);
  EXPECT_EQ(model().typeName(), "付");
  ASSERT_TRUE(model().setType(2));
  EXPECT_EQ(model().header().credCode, 7);
}

TEST_P(EntryHeader, TheDateIsRefusedOnAReadOnlyLineAndUnderAudit) {
  storeVoucher("201107000001", 1, 1, {{"10001", "1", "0", "系统", 0, "0", "0", true}, {"50001", "0", "1"}}, "张三");
  open("201107000001");
  EXPECT_FALSE(model().setDate(Date(2011, 7, 2)));
  EXPECT_EQ(lastMessage(), "当前分录为系统制作的只读分录，不可修改或删除。");
  ASSERT_TRUE(model().moveTo(1, Column::Summary));
  EXPECT_TRUE(model().setDate(Date(2011, 7, 2)));

  vouchers::VoucherEntryOptions audit;
  audit.auditMode = true;
  open("201107000001", audit);
  ASSERT_TRUE(model().moveTo(1, Column::Summary));
  EXPECT_FALSE(model().setDate(Date(2011, 7, 3)));
  EXPECT_EQ(lastMessage(), "不可以修改正在被审核的凭证。");
  EXPECT_FALSE(model().setType(2));
  EXPECT_FALSE(model().setCredNoText("5"));
  EXPECT_FALSE(model().setBillNumber(2));
  EXPECT_EQ(model().header().credDate, Date(2011, 7, 10));
  EXPECT_FALSE(model().modified());
}

TEST_P(EntryHeader, AFullMonthAbandonsTheNewVoucher) {
  addVoucher("201107999999", 1, 1);
  open();
  EXPECT_FALSE(opened);
  EXPECT_EQ(lastMessage(), "本期间凭证数已达到一百万，\r\n超出本系统最大接受能力");
  EXPECT_EQ(last().caption, "出错信息");
  EXPECT_FALSE(host().heldLocks.contains("CREDSHARE"));
}

TEST_P(EntryHeader, ADateInAFullMonthIsRefusedAndTheDateStays) {
  addVoucher("201108999999", 1, 1);
  open();
  EXPECT_FALSE(model().setDate(Date(2011, 8, 1)));
  EXPECT_EQ(lastMessage(), "本期间凭证数已达到一百万，\r\n超出本系统最大接受能力");
  EXPECT_EQ(model().header().credDate, Date(2011, 7, 15));
  EXPECT_EQ(model().header().credId, "201107000001");
}

TEST_P(EntryHeader, AttachmentsAreCounted) {
  open();
  ASSERT_TRUE(model().setBillNumber(3));
  EXPECT_EQ(model().header().billNumber, 3);
  EXPECT_TRUE(model().modified());
  EXPECT_FALSE(model().setBillNumber(-1));
  EXPECT_EQ(model().header().billNumber, 3);
}

}  // namespace
}  // namespace qj::test
