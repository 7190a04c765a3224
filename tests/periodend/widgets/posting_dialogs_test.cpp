// The posting and reverse-posting screens on their real widgets: the period
// they work on, the continuity choice, and OK doing the work and closing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "base/widgets/qt_screen.h"
#include "package/widgets/screen_catalog.h"
#include "periodend/carry_forward.h"
#include "periodend/posting.h"
#include "periodend/widgets/carry_forward_dialog.h"
#include "periodend/widgets/exchange_dialog.h"
#include "periodend/widgets/period_close_dialogs.h"
#include "periodend/widgets/posting_dialogs.h"
#include "support/screenshot.h"
#include "vouchers/entry_fixture.h"

namespace qj::test {
namespace {

class PostingScreens : public EntryTest {
 protected:
  // The screen's dialog, shown without blocking.
  static QDialog& shown(base::Screen& screen) {
    QDialog& dialog = dynamic_cast<base::DialogScreen&>(screen).dialog();
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    return dialog;
  }
  static void ok(QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
  }
  std::int64_t count(const std::string& sql) { return std::get<std::int64_t>(db().scalar(sql).storage()); }
};
INSTANTIATE_TEST_SUITE_P(Engines, PostingScreens, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(PostingScreens, PostingAndReversePostingRunFromTheirScreensAndClose) {
  storeVoucher("201107000001", 1, 1, {{.subject = "10001", .debit = "80"}, {.subject = "50001", .credit = "80"}});
  storeVoucher("201107000003", 1, 2, {{.subject = "10001", .debit = "20"}, {.subject = "50001", .credit = "20"}});

  auto posting = periodend::PostingScreen(host());
  QDialog& dialog = shown(*posting);
  auto* continuity = dialog.findChild<QComboBox*>(QStringLiteral("continuityBox"));
  ASSERT_NE(continuity, nullptr);
  EXPECT_EQ(continuity->currentText(), QStringLiteral("发现凭证号不连续时终止登帐"));
  SaveScreenshot(dialog, "periodend_posting");
  ok(dialog);
  EXPECT_EQ(host().messages.back().text, "第1号凭证后顺序号不连续，终止登帐");
  EXPECT_FALSE(dialog.isVisible()) << "the screen closes whether or not it posted";
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), 0);

  auto again = periodend::PostingScreen(host());
  QDialog& second = shown(*again);
  second.findChild<QComboBox*>(QStringLiteral("continuityBox"))->setCurrentIndex(1);
  ok(second);
  EXPECT_EQ(host().messages.back().text, "共有2张凭证被登帐");
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), 2);

  auto unposting = periodend::UnpostingScreen(host());
  QDialog& reverse = shown(*unposting);
  SaveScreenshot(reverse, "periodend_unposting");
  ok(reverse);
  EXPECT_EQ(host().messages.back().text, "本期所有已登帐的凭证都已经被反登帐。");
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), 0);
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(PostingScreens, CarryForwardCloseAndReverseCloseRunFromTheirScreens) {
  subject("313", "本年利润");
  db().execute("UPDATE Subject SET DETAILFLAG='F' WHERE SUBJECTID='500'");  // 管理费用 has sub-accounts
  host().reserved[periodend::kCurrentYearProfitEntry] = "313";
  storeVoucher("201107000001", 1, 1, {{.subject = "10001", .debit = "80"}, {.subject = "50001", .credit = "80"}});
  ASSERT_TRUE(periodend::RunPosting(host(), true));

  // An industry that carries nothing monthly is told so, and no screen opens.
  package::RegisterBuiltScreens();
  host().book.NeedCarryPL = false;
  call("SHOWFINANCEFORM", {}, "TRANSFERPROFITLOSS_FRM");
  EXPECT_EQ(host().messages.back().text, "你所选择的行业无需结转损益");
  host().book.NeedCarryPL = true;

  auto carry = periodend::CarryForwardScreen(host());
  QDialog& dialog = shown(*carry);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("结转本期损益"));
  auto* post = dialog.findChild<QCheckBox*>(QStringLiteral("postAtOnceBox"));
  ASSERT_NE(post, nullptr);
  EXPECT_FALSE(post->isChecked());
  post->setChecked(true);
  SaveScreenshot(dialog, "periodend_carry_forward");
  ok(dialog);
  EXPECT_EQ(host().messages.back().text, "结转本期损益成功");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE BILLMAKER='机制' AND POSTFLAG='T'"), 1);
  EXPECT_TRUE(host().heldLocks.empty());

  auto close = periodend::PeriodCloseScreen(host());
  QDialog& closing = shown(*close);
  SaveScreenshot(closing, "periodend_close");
  ok(closing);
  ASSERT_EQ(host().book.CurrMon, 8) << host().messages.back().text;
  ASSERT_FALSE(host().globalCalls.empty());
  EXPECT_EQ(host().globalCalls.back(), "SetMainCaption");

  auto reopen = periodend::ReopenPeriodScreen(host());
  QDialog& reopening = shown(*reopen);
  reopening.findChild<QCheckBox*>(QStringLiteral("deleteCarryBox"))->setChecked(true);
  SaveScreenshot(reopening, "periodend_reopen");
  ok(reopening);
  EXPECT_EQ(host().book.CurrMon, 7);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE BILLMAKER='机制'"), 0);
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(PostingScreens, ExchangeAdjustmentOpensOnlyWhenAllIsPostedAndRestatesAtTheCorrectedRate) {
  subject("511", "汇兑损益");
  db().execute("UPDATE Subject SET DETAILFLAG='F' WHERE SUBJECTID IN ('100', '10002')");  // they have sub-accounts
  storeVoucher("201107000001", 1, 1,
               {{.subject = "1000202", .debit = "680", .moneyId = 1, .rate = "6.8", .foreign = "100"},
                {.subject = "10001", .credit = "680"}});
  EXPECT_EQ(periodend::ExchangeAdjustmentScreen(host()), nullptr);
  EXPECT_EQ(host().messages.back().text, "本期尚有凭证未登帐，不能进行期末调汇");
  ASSERT_TRUE(periodend::RunPosting(host(), true));

  auto exchange = periodend::ExchangeAdjustmentScreen(host());
  ASSERT_NE(exchange, nullptr);
  QDialog& dialog = shown(*exchange);
  auto* rates = dialog.findChild<QTableWidget*>(QStringLiteral("rateGrid"));
  ASSERT_NE(rates, nullptr);
  ASSERT_EQ(rates->rowCount(), 2);  // 美元 and 欧元
  EXPECT_EQ(rates->item(0, 0)->text(), QStringLiteral("美元"));
  rates->item(0, 1)->setText(QStringLiteral("0"));
  EXPECT_EQ(host().messages.back().text, "期末汇率不能为空，且不能小于零");
  rates->item(0, 1)->setText(QStringLiteral("7"));
  dialog.findChild<QLineEdit*>(QStringLiteral("gainLossEdit"))->setText(QStringLiteral("511"));
  dialog.findChild<QCheckBox*>(QStringLiteral("postAtOnceBox"))->setChecked(true);
  SaveScreenshot(dialog, "periodend_exchange");
  ok(dialog);
  EXPECT_EQ(host().messages.back().text, "期末调汇成功！");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail WHERE SUBJECTID='511' AND CREDIT=200000"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE AccountVoucherType=101 AND POSTFLAG='T'"), 1);
  EXPECT_TRUE(host().heldLocks.empty());
}

}  // namespace
}  // namespace qj::test
