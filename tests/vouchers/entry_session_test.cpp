// The voucher entry model's life: the shared lock it holds, audit mode and
// moving between stored vouchers.
#include <gtest/gtest.h>

#include "entry_model_fixture.h"

namespace qj::test {
namespace {

class EntrySession : public EntryModelTest {
 protected:
  vouchers::VoucherEntryOptions audit() {
    vouchers::VoucherEntryOptions options;
    options.auditMode = true;
    return options;
  }
};
QJ_ON_EVERY_ENGINE(EntrySession);

TEST_P(EntrySession, TheSharedLockIsHeldWhileTheScreenIsOpen) {
  open();
  ASSERT_TRUE(opened);
  EXPECT_EQ(host().heldLocks["CREDSHARE"], 1);
  close();
  EXPECT_FALSE(host().heldLocks.contains("CREDSHARE"));
}

TEST_P(EntrySession, ARefusedLockClosesTheScreenAtOnce) {
  host().refusedLocks.insert("CREDSHARE");
  open();
  EXPECT_FALSE(opened);
  ASSERT_EQ(messageCount(), 1u);
  EXPECT_EQ(lastMessage(), "其他用户正在独占帐务操作，不能进行凭证制作。");
  EXPECT_EQ(last().caption, host().asProductionName());
  close();
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(EntrySession, UnderAuditEveryChangeIsRefused) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "3"}}, "张三");
  int phrases = 0;
  auto options = audit();
  options.choosePhrase = [&phrases]() -> std::optional<std::string> {
    ++phrases;
    return "摘要";
  };
  options.pickSubject = [] { return std::optional<std::string>("50002"); };
  open("201107000001", options);
  EXPECT_FALSE(model().changesAllowed());
  EXPECT_TRUE(model().cellReadOnly(0, Column::Summary));
  const auto before = model().lines();
  const std::vector<std::pair<const char*, std::function<bool()>>> changes = {
      {"summary", [&] { return model().editSummary("改"); }},
      {"phrase", [&] { return model().chooseSummary(); }},
      {"subject", [&] { return model().editSubjectText("50002"); }},
      {"chooser", [&] { return model().chooseSubject(); }},
      {"digit", [&] { return model().moveTo(0, Column::Debit) && keys("1"); }},
      {"F3", [&] { return model().pressKey(Key::F3); }},
      {"F5", [&] { return model().pressKey(Key::F5); }},
      {"insert", [&] { return model().insertLine(); }},
      {"remove", [&] { return model().removeLine(); }},
      {"type", [&] { return model().setType(2); }},
  };
  for (const auto& [name, change] : changes) {
    host().messages.clear();
    EXPECT_FALSE(change()) << name;
    EXPECT_EQ(lastMessage(), "不可以修改正在被审核的凭证。") << name;
  }
  EXPECT_EQ(phrases, 0);
  EXPECT_EQ(model().lines(), before);
  EXPECT_FALSE(model().modified());
}

// A posted or audited voucher refuses the first key, not only the save.
TEST_P(EntrySession, APostedOrAuditedVoucherTakesNoChangeFromTheFirstKey) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "张三", true, true);
  storeVoucher("201107000002", 1, 2, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "张三", true);
  for (const auto& [credId, reason] : {std::pair{"201107000001", "该张凭证已经登帐，不可再修改"},
                                       std::pair{"201107000002", "该张凭证已经审核，不可再修改"}}) {
    open(credId);
    EXPECT_TRUE(model().cellReadOnly(0, Column::Summary)) << credId;
    EXPECT_TRUE(model().cellReadOnly(1, Column::Credit)) << credId;
    const std::vector<std::pair<const char*, std::function<bool()>>> changes = {
        {"summary", [&] { return model().editSummary("改"); }},
        {"digit", [&] { return model().moveTo(0, Column::Debit) && keys("1"); }},
        {"insert", [&] { return model().insertLine(); }},
        {"remove", [&] { return model().removeLine(); }},
        {"number", [&] { return model().setCredNoText("9"); }},
        {"attachments", [&] { return model().setBillNumber(3); }},
    };
    for (const auto& [name, change] : changes) {
      host().messages.clear();
      EXPECT_FALSE(change()) << credId << " " << name;
      EXPECT_EQ(lastMessage(), reason) << credId << " " << name;
    }
    EXPECT_FALSE(model().modified()) << credId;
  }
  // A new voucher takes every key as before.
  open();
  EXPECT_FALSE(model().cellReadOnly(0, Column::Summary));
  EXPECT_TRUE(model().editSummary("新"));
}

TEST_P(EntrySession, TheMakerMayChangeUnderAuditWhenTheBookAllowsIt) {
  storeVoucher("201107000001", 1, 1, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "测试员");
  storeVoucher("201107000002", 1, 2, {{"10001", "5", "0"}, {"50001", "0", "5"}}, "张三");
  host().book.CredCheckEdit = true;
  open("201107000001", audit());
  EXPECT_TRUE(model().changesAllowed());
  EXPECT_TRUE(typeIn(Column::Summary, "改"));
  host().answers = {msgbox::IdNo};
  // Decided again for the next voucher, made by someone else.
  ASSERT_TRUE(model().nextVoucher());
  EXPECT_EQ(model().header().credId, "201107000002");
  EXPECT_FALSE(model().changesAllowed());
  EXPECT_FALSE(typeIn(Column::Summary, "改"));

  host().book.CredCheckEdit = false;
  open("201107000001", audit());
  EXPECT_FALSE(model().changesAllowed());
}

TEST_P(EntrySession, PreviousAndNextRunOverEveryMonth) {
  storeVoucher("201106000003", 1, 1, {{"10001", "6", "0"}, {"50001", "0", "6"}});
  storeVoucher("201107000001", 1, 1, {{"10001", "7", "0"}, {"50001", "0", "7"}});
  storeVoucher("201108000001", 1, 1, {{"10001", "8", "0"}, {"50001", "0", "8"}});
  open("201107000001");
  EXPECT_EQ(model().storedCredId(), "201107000001");
  EXPECT_EQ(model().allocationCredId(), "201107000001");
  ASSERT_TRUE(model().previousVoucher());
  EXPECT_EQ(model().header().credId, "201106000003");
  EXPECT_EQ(model().debitTotal(), amount("6"));
  EXPECT_FALSE(model().previousVoucher());  // nothing before the first
  EXPECT_EQ(model().header().credId, "201106000003");
  ASSERT_TRUE(model().nextVoucher());
  ASSERT_TRUE(model().nextVoucher());
  EXPECT_EQ(model().header().credId, "201108000001");
  // Past the last one a new voucher starts.
  ASSERT_TRUE(model().nextVoucher());
  EXPECT_TRUE(model().isNew());
  EXPECT_EQ(model().header().credId, "201107000002");
  EXPECT_EQ(model().storedCredId(), "");
  // From a new voucher back to the stored ones.
  ASSERT_TRUE(model().previousVoucher());
  EXPECT_EQ(model().header().credId, "201107000001");
}

TEST_P(EntrySession, UnderAuditTheLastVoucherIsWhereNextStops) {
  storeVoucher("201107000001", 1, 1, {{"10001", "7", "0"}, {"50001", "0", "7"}}, "张三");
  open("201107000001", audit());
  EXPECT_FALSE(model().nextVoucher());
  EXPECT_EQ(model().header().credId, "201107000001");
  EXPECT_FALSE(model().isNew());
}

TEST_P(EntrySession, AMissingVoucherStartsANewOne) {
  open("201107000042");
  ASSERT_TRUE(opened);
  EXPECT_TRUE(model().isNew());
  EXPECT_EQ(model().header().credId, "201107000001");
  ASSERT_TRUE(model().showVoucher("201107000099"));
  EXPECT_TRUE(model().isNew());
}

TEST_P(EntrySession, TheSourceDocumentButtonShowsForADocumentVoucherOnly) {
  storeVoucher("201107000001", 1, 1, {});
  storeVoucher("201107000002", 1, 2, {});
  storeVoucher("201107000003", 1, 3, {});
  db().execute("UPDATE VoucherMaster SET AccountVoucherType=11, RELEVANTBILLID=5 WHERE CREDID='201107000001'");
  db().execute("UPDATE VoucherMaster SET AccountVoucherType=100, RELEVANTBILLID=5 WHERE CREDID='201107000002'");
  db().execute("UPDATE VoucherMaster SET AccountVoucherType=11, RELEVANTBILLID=NULL WHERE CREDID='201107000003'");
  vouchers::VoucherEntryOptions entry;
  entry.allowSourceDocuments = true;
  open("201107000001", entry);
  EXPECT_TRUE(model().showsSourceDocument());
  ASSERT_TRUE(model().nextVoucher());
  EXPECT_FALSE(model().showsSourceDocument());
  ASSERT_TRUE(model().nextVoucher());
  EXPECT_FALSE(model().showsSourceDocument());
  open("201107000001");
  EXPECT_FALSE(model().showsSourceDocument());
}

}  // namespace
}  // namespace qj::test
