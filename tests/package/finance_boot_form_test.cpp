#include "base/finance_boot_form.h"

#include <gtest/gtest.h>

#include "support/package_fixture.h"

namespace qj::test {
namespace {

class ScreenBase : public PackageTest {};
QJ_ON_EVERY_ENGINE(ScreenBase);

TEST_P(ScreenBase, LogsOpeningAndClosingOnceUnlessSuppressed) {
  {
    base::FinanceBootForm form(host(), "DiaryList_Frm", "现金日记帐");
    form.shown();
    form.shown();  // shown again after being hidden: still one opening
    EXPECT_TRUE(host().FormIsExist("DiaryList_Frm"));
    form.destroyed();
    EXPECT_FALSE(host().FormIsExist("DiaryList_Frm"));
  }
  EXPECT_EQ(host().log, (std::vector<std::pair<int, std::string>>{{200, "现金日记帐"}, {201, "现金日记帐"}}));

  host().log.clear();
  base::FinanceBootForm quiet(host(), "VoucherVoice_Frm", "凭证录入");
  quiet.setLogSuppressed(true);
  quiet.shown();
  quiet.destroyed();
  EXPECT_TRUE(host().log.empty());
  EXPECT_FALSE(host().FormIsExist("VoucherVoice_Frm"));
}

TEST_P(ScreenBase, ActivationSwitchesOffAllTenToolbarItemsInOrder) {
  base::FinanceBootForm form(host(), "DiaryList_Frm", "现金日记帐");
  form.activated();
  const std::vector<std::string> expected = {"InsertLineItem", "DeleteLineItem", "EditItem",  "OvoItem",
                                             "DeleteItem",     "RefreshItem",    "FirstItem", "PreviousItem",
                                             "NextItem",       "LastItem"};
  ASSERT_EQ(host().toolbar.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(host().toolbar[i].first, expected[i]);
    EXPECT_FALSE(host().toolbar[i].second);
  }
}

TEST_P(ScreenBase, OnlyANearlyFullHeightScreenIsRefitted) {
  base::FinanceBootForm form(host(), "DiaryList_Frm", "现金日记帐");
  EXPECT_FALSE(form.resized(751, 800));
  const auto fitted = form.resized(752, 800);
  ASSERT_TRUE(fitted);
  EXPECT_EQ(fitted->top, 0);
  EXPECT_EQ(fitted->height, 730);
  EXPECT_TRUE(form.resized(900, 800));
  EXPECT_FALSE(form.resized(730, 800));  // the refitted height does not trigger again
}

TEST_P(ScreenBase, ClosingClosesPrintLayoutsOnlyWhereAScreenHasThem) {
  base::FinanceBootForm without(host(), "A", "甲");
  without.closing();
  int closed = 0;
  base::FinanceBootForm with(host(), "B", "乙");
  with.setPrintStyleCloser([&] { ++closed; });
  with.closing();
  EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace qj::test
