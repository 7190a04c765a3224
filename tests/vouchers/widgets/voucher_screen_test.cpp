// The voucher entry screen on the real widgets: a voucher typed from the
// keyboard alone, amounts digit by digit, a foreign-currency line, the
// choosers, the blinking cursor, and what the buttons reach.
#include <QLabel>
#include <QSpinBox>
#include <QTimer>

#include "voucher_screen_fixture.h"

namespace qj::test {
namespace {

class VoucherScreenWidget : public VoucherScreenTest {};
INSTANTIATE_TEST_SUITE_P(Engines, VoucherScreenWidget, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(VoucherScreenWidget, AWholeVoucherTypedFromTheKeyboardAlone) {
  opened();
  EXPECT_TRUE(editor().hasFocus()) << "a new voucher starts in the first summary";
  EXPECT_EQ(screen().findChild<QComboBox*>("typeBox")->currentText(), QStringLiteral("记"));
  EXPECT_EQ(screen().findChild<QLineEdit*>("credNoEdit")->text(), QStringLiteral("1"));
  snap("voucher_empty");

  compose(QStringLiteral("支付办公费"));
  key(Qt::Key_Return);
  keys("50001");
  key(Qt::Key_Tab);  // the foreign columns are hidden: straight to the debit
  ASSERT_EQ(model().currentColumn(), Column::Debit);
  EXPECT_TRUE(grid().hasFocus());
  keys("1234.5");
  key(Qt::Key_Return);
  key(Qt::Key_Return);  // the last column: down to a new line, which carries the summary
  ASSERT_EQ(model().lines().size(), 2U);
  EXPECT_EQ(editor().text(), QStringLiteral("支付办公费"));
  key(Qt::Key_Return);
  keys("xj");  // the help code of 10001
  key(Qt::Key_Return);
  key(Qt::Key_Return);
  ASSERT_EQ(model().currentColumn(), Column::Credit);
  key(Qt::Key_F3);  // the balancing credit

  EXPECT_EQ(line(0).summary, "支付办公费");
  EXPECT_EQ(line(0).subjectCode, "50001");
  EXPECT_EQ(line(0).debit, amount("1234.50"));
  EXPECT_TRUE(line(0).credit.isZero());
  EXPECT_EQ(line(1).summary, "支付办公费");
  EXPECT_EQ(line(1).subjectCode, "10001");
  EXPECT_EQ(line(1).credit, amount("1234.50"));
  EXPECT_EQ(model().debitTotal(), amount("1234.50"));
  EXPECT_EQ(model().creditTotal(), amount("1234.50"));
  EXPECT_NE(screen().findChild<QLabel*>("subjectLabel")->text().indexOf(QStringLiteral("现金")), -1);
  snap("voucher_typed");

  auto* saved = screen().findChild<QLabel*>("savedLabel");
  ASSERT_NE(saved, nullptr);
  EXPECT_TRUE(saved->text().isEmpty());
  key(Qt::Key_F2);  // stored; the cursor stays, and the footer says where it went
  EXPECT_TRUE(host().messages.empty()) << lastMessage();
  EXPECT_FALSE(model().isNew());
  EXPECT_EQ(model().currentLine(), 1U);
  EXPECT_EQ(saved->text(), QStringLiteral("已保存 记-1"));
  snap("voucher_saved");

  key(Qt::Key_Down);  // a third line, left again upwards: it goes
  ASSERT_EQ(model().lines().size(), 3U);
  key(Qt::Key_Up);
  EXPECT_EQ(model().lines().size(), 2U);
  key(Qt::Key_Backtab);
  EXPECT_EQ(model().currentColumn(), Column::Debit);

  key(Qt::Key_F9);  // the stored voucher is unchanged: a new one at once
  EXPECT_TRUE(host().messages.empty()) << lastMessage();
  EXPECT_TRUE(model().isNew());
  EXPECT_EQ(model().header().credId, "201107000002");
  EXPECT_TRUE(saved->text().isEmpty()) << "the note went with the saved voucher";
}

// On a desktop another window has the keyboard until the voucher screen
// becomes active; the first key typed then must land in the summary cell.
TEST_P(VoucherScreenWidget, TheFirstKeyInAFreshScreenLandsInTheSummaryCell) {
  QLineEdit elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  elsewhere.setFocus();
  ASSERT_TRUE(elsewhere.hasFocus());

  opened();
  EXPECT_TRUE(editor().hasFocus());
  keys("ab");
  EXPECT_EQ(line(0).summary, "ab");
  EXPECT_TRUE(elsewhere.text().isEmpty());
}

TEST_P(VoucherScreenWidget, HeaderFieldsReachTheModelWhenLeftAndEnterReturnsToTheLines) {
  opened();
  QLineEdit& credNo = *screen().findChild<QLineEdit*>("credNoEdit");
  credNo.setFocus();
  credNo.selectAll();
  keys("7");
  key(Qt::Key_Return);
  EXPECT_EQ(model().header().credNo, 7);
  EXPECT_EQ(model().header().credId, "201107000007");
  EXPECT_TRUE(editor().hasFocus()) << "back in the summary";

  credNo.setFocus();
  credNo.selectAll();
  keys("7x");
  key(Qt::Key_F2);  // the refused number stops the save and shows the old one again
  EXPECT_EQ(lastMessage(), "顺序号只能为整数，请重新输入!");
  EXPECT_EQ(credNo.text(), QStringLiteral("7"));
  EXPECT_EQ(host().messages.size(), 1U);

  QSpinBox& attachments = *screen().findChild<QSpinBox*>("billNumberBox");
  attachments.setFocus();
  attachments.selectAll();
  keys("3");
  key(Qt::Key_Tab);
  EXPECT_EQ(model().header().billNumber, 3);
}

TEST_P(VoucherScreenWidget, AmountKeysWorkDigitByDigitAndRefusalsReachTheUser) {
  opened();
  compose(QStringLiteral("调整"));
  clickCell(0, Column::Credit);
  keys("-100");
  EXPECT_EQ(line(0).credit, amount("-100"));
  EXPECT_TRUE(line(0).creditBuffer.negative());
  key(Qt::Key_Backspace);  // the last integer digit goes
  EXPECT_EQ(line(0).credit, amount("-10"));
  keys("-.55");  // the sign back off, then the decimals
  EXPECT_EQ(line(0).credit, amount("10.55"));
  key(Qt::Key_Left);
  key(Qt::Key_Delete);
  EXPECT_EQ(line(0).creditBuffer.text(), "10.05");

  clickCell(0, Column::Debit);
  keys("5");
  EXPECT_TRUE(line(0).debit.isZero()) << "one side only";
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, "贷方栏已有金额数据，\r\n不可再在借方栏输入");
  EXPECT_EQ(host().messages[0].flags, msgbox::IconWarning);

  press(QStringLiteral("移除"));  // the only line goes; an empty one takes its place
  clickCell(0, Column::Debit);
  keys("123456789");
  EXPECT_EQ(line(0).debitBuffer.text(), "123456789.00");
  keys("0");  // a tenth integer digit is over the limit
  EXPECT_EQ(lastMessage(), "凭证金额超过位数限制");
  EXPECT_EQ(line(0).debit, amount("123456789"));
}

TEST_P(VoucherScreenWidget, AForeignCurrencyLineTakesItsRateAndSwapsSides) {
  opened();
  press(QStringLiteral("外币"));
  ASSERT_TRUE(model().foreignColumnsShown());
  EXPECT_TRUE(grid().cellRect(0, Column::Rate).isValid());
  compose(QStringLiteral("收到美元"));
  key(Qt::Key_Return);
  keys("1000202");  // kept in US dollars
  EXPECT_EQ(line(0).currencyName, "美元");
  key(Qt::Key_Return);
  EXPECT_EQ(model().currentColumn(), Column::Currency);
  EXPECT_FALSE(grid().currencyEditor()->isVisible()) << "the subject fixes the currency";
  key(Qt::Key_Return);
  ASSERT_EQ(model().currentColumn(), Column::Rate);
  EXPECT_EQ(editor().text(), QStringLiteral("6.8000"));
  key(Qt::Key_Return);
  keys("100");
  EXPECT_EQ(line(0).foreignAmount, amount("100"));
  EXPECT_EQ(line(0).credit, amount("680"));
  key(Qt::Key_F5);
  EXPECT_EQ(line(0).debit, amount("680"));
  EXPECT_TRUE(line(0).credit.isZero());
  EXPECT_EQ(model().debitTotal(), amount("680"));

  // A subject that takes any currency: the currency list, then the rate typed over.
  key(Qt::Key_Down);  // a new line, in the same column
  ASSERT_EQ(model().currentLine(), 1U);
  EXPECT_EQ(model().currentColumn(), Column::Foreign);
  clickCell(1, Column::Subject);
  keys("1000203");
  key(Qt::Key_Return);
  QComboBox& currencies = *grid().currencyEditor();
  ASSERT_TRUE(currencies.isVisible());
  EXPECT_TRUE(currencies.hasFocus());
  const int euro = currencies.findText(QStringLiteral("欧元"));
  ASSERT_GE(euro, 0);
  currencies.setCurrentIndex(euro);
  emit currencies.activated(euro);
  EXPECT_EQ(line(1).moneyId, 2);
  EXPECT_EQ(line(1).rate, amount("7.9"));
  key(Qt::Key_Return);
  editor().selectAll();
  keys("8.25");
  EXPECT_EQ(editor().text(), QStringLiteral("8.25")) << "the rate keeps the user's spelling";
  EXPECT_EQ(line(1).rate, amount("8.25"));
  key(Qt::Key_Return);
  keys("10");
  EXPECT_EQ(line(1).credit, amount("82.50"));
  snap("voucher_foreign");

  press(QStringLiteral("外币"));  // hidden again; the amounts stay
  EXPECT_FALSE(grid().cellRect(1, Column::Rate).isValid());
  EXPECT_EQ(model().creditTotal(), amount("82.50"));
  EXPECT_TRUE(host().messages.empty()) << lastMessage();
}

TEST_P(VoucherScreenWidget, TheChoosersFillTheCellTheyWereOpenedFrom) {
  opened();
  phrase = "提现备用";
  QTest::mouseDClick(&editor(), Qt::LeftButton);
  EXPECT_EQ(phraseAsks, 1);
  EXPECT_EQ(line(0).summary, "提现备用");
  EXPECT_EQ(editor().text(), QStringLiteral("提现备用"));

  key(Qt::Key_Return);
  pickedSubject = "10001";
  QAction* choose = editor().findChild<QAction*>("chooseAction");
  ASSERT_NE(choose, nullptr);
  ASSERT_TRUE(choose->isVisible());
  choose->trigger();
  EXPECT_EQ(subjectAsks, 1);
  EXPECT_EQ(line(0).subjectCode, "10001");
  EXPECT_EQ(editor().text(), QStringLiteral("10001"));

  pickedSubject.reset();  // cancelled: the line keeps its subject
  choose->trigger();
  EXPECT_EQ(line(0).subjectCode, "10001");
  EXPECT_TRUE(host().messages.empty()) << lastMessage();
}

TEST_P(VoucherScreenWidget, ASubjectThatIsNoDetailKeepsTheCursorInItsCell) {
  opened();
  compose(QStringLiteral("购买"));
  key(Qt::Key_Return);
  keys("500");  // 管理费用 has sub-accounts
  key(Qt::Key_Return);
  EXPECT_EQ(lastMessage(), "科目'500'不是一个明细科目");
  EXPECT_EQ(model().currentColumn(), Column::Subject);
  EXPECT_TRUE(editor().hasFocus());
  EXPECT_EQ(editor().text(), QStringLiteral("500"));
  keys("01");
  key(Qt::Key_Return);
  EXPECT_EQ(line(0).subjectCode, "50001");
  EXPECT_EQ(model().currentColumn(), Column::Debit);
}

TEST_P(VoucherScreenWidget, ARefusedEditShowsTheLineAsItWas) {
  storeVoucher("201107000001", 1, 1,
               {{.subject = "10001", .debit = "50", .summary = "系统分录", .readOnly = true},
                {.subject = "50001", .credit = "50", .summary = "系统分录"}});
  opened("201107000001");
  EXPECT_EQ(editor().text(), QStringLiteral("系统分录"));
  compose(QStringLiteral("改"));
  EXPECT_EQ(lastMessage(), "当前分录为系统制作的只读分录，不可修改或删除。");
  EXPECT_EQ(line(0).summary, "系统分录");
  EXPECT_EQ(editor().text(), QStringLiteral("系统分录"));
  press(QStringLiteral("移除"));
  EXPECT_EQ(model().lines().size(), 2U);
}

TEST_P(VoucherScreenWidget, UnderAuditTheVoucherCanBeReadButNotChanged) {
  storeVoucher("201107000001", 1, 1, {{.subject = "10001", .debit = "50"}, {.subject = "50001", .credit = "50"}});
  opened("201107000001", true);
  EXPECT_TRUE(screen().button(QStringLiteral("审核"))->isVisibleTo(&screen()));
  compose(QStringLiteral("改"));
  EXPECT_EQ(lastMessage(), "不可以修改正在被审核的凭证。");
  EXPECT_EQ(line(0).summary, "摘要");
  EXPECT_EQ(editor().text(), QStringLiteral("摘要"));
  key(Qt::Key_Down);  // moving about is still allowed
  EXPECT_EQ(model().currentLine(), 1U);
  clickCell(1, Column::Credit);
  keys("9");
  EXPECT_EQ(line(1).credit, amount("50"));
  EXPECT_EQ(host().messages.size(), 2U);
  EXPECT_FALSE(model().modified());
}

// An auditor who may not edit vouchers audits one from the audit list: the
// audit is stored at once, and closing asks nothing.
TEST_P(VoucherScreenWidget, AnAuditorWithoutTheEditRightAuditsAndTheAuditIsKept) {
  storeVoucher("201107000001", 1, 1, {{.subject = "10001", .debit = "50"}, {.subject = "50001", .credit = "50"}},
               "张三");
  host().deniedPrivileges = {{58, 2}, {58, 3}};
  opened("201107000001", true);
  press(QStringLiteral("审核"));
  EXPECT_EQ(screen().findChild<QLabel*>("stateLabel")->text(), QStringLiteral("已审核"));
  EXPECT_EQ(screen().findChild<QLabel*>("checkerLabel")->text(), QStringLiteral("审核：测试员"));
  screen().close();
  EXPECT_FALSE(screen().isVisible());
  EXPECT_TRUE(host().messages.empty()) << lastMessage();
  const auto stored = db().queryOne("SELECT CHECKFLAG, BILLCHECK FROM VoucherMaster");
  EXPECT_EQ(stored->text("CHECKFLAG") + stored->text("BILLCHECK"), "T测试员");
}

// A posted voucher refuses the first key typed into it, saying why.
TEST_P(VoucherScreenWidget, APostedVoucherRefusesTheFirstKey) {
  storeVoucher("201107000001", 1, 1, {{.subject = "10001", .debit = "50"}, {.subject = "50001", .credit = "50"}},
               "张三", true, true);
  opened("201107000001");
  EXPECT_EQ(screen().findChild<QLabel*>("stateLabel")->text(), QStringLiteral("已登帐"));
  compose(QStringLiteral("改"));
  EXPECT_EQ(lastMessage(), "该张凭证已经登帐，不可再修改");
  EXPECT_EQ(line(0).summary, "摘要");
  clickCell(0, Column::Debit);
  keys("9");
  EXPECT_EQ(line(0).debit, amount("50"));
  EXPECT_FALSE(model().modified());
}

TEST_P(VoucherScreenWidget, TheDigitCursorBlinksInTheCurrentAmountCellOnly) {
  opened();
  QTimer& blink = *grid().blinkTimer();
  EXPECT_FALSE(blink.isActive()) << "nothing blinks in a text cell";
  clickCell(0, Column::Debit);
  ASSERT_TRUE(blink.isActive());
  EXPECT_EQ(blink.interval(), 400);
  EXPECT_TRUE(grid().cursorLit());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !grid().cursorLit(); }, 1000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return grid().cursorLit(); }, 1000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !grid().cursorLit(); }, 1000));
  keys("7");  // a key shows the cursor at once
  EXPECT_TRUE(grid().cursorLit());
  clickCell(0, Column::Summary);
  EXPECT_FALSE(blink.isActive());
}

TEST_P(VoucherScreenWidget, EveryButtonIsThereAndTheCalculatorIsTheHosts) {
  opened();
  for (const char* caption : {"保存", "新增", "删除", "插入", "移除", "找平", "切换", "外币", "计算", "审核", "分配",
                              "单据", "向前", "向后", "打印", "预览"})
    EXPECT_NE(screen().button(QString::fromUtf8(caption)), nullptr) << caption;
  for (const char* caption : {"打印", "预览"})
    EXPECT_FALSE(screen().button(QString::fromUtf8(caption))->isEnabled()) << caption;
  EXPECT_FALSE(screen().button(QStringLiteral("单据"))->isVisibleTo(&screen())) << "a new voucher has no document";
  for (QPushButton* button : screen().findChildren<QPushButton*>())
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->text().toStdString();

  press(QStringLiteral("计算"));
  EXPECT_EQ(std::count(host().globalCalls.begin(), host().globalCalls.end(), "SHOWCALCULATOR"), 1);
  EXPECT_TRUE(editor().hasFocus()) << "the keyboard stays in the voucher";
}

TEST_P(VoucherScreenWidget, AVoucherIsAuditedSavedAndDeletedWithTheButtons) {
  storeVoucher("201107000001", 1, 1, {{.subject = "10001", .debit = "80"}, {.subject = "50001", .credit = "80"}},
               "制单员");
  storeVoucher("201107000002", 1, 2, {{.subject = "10001", .debit = "20"}, {.subject = "50001", .credit = "20"}});
  opened();
  press(QStringLiteral("向前"));
  press(QStringLiteral("向前"));
  ASSERT_EQ(model().header().credId, "201107000001");
  press(QStringLiteral("审核"));
  press(QStringLiteral("保存"));
  EXPECT_TRUE(host().messages.empty()) << lastMessage();
  EXPECT_EQ(screen().findChild<QLabel*>("checkerLabel")->text(), QStringLiteral("审核：测试员"));
  EXPECT_EQ(screen().findChild<QLabel*>("stateLabel")->text(), QStringLiteral("已审核"));
  snap("voucher_audited");

  press(QStringLiteral("删除"));
  EXPECT_EQ(lastMessage(), "该张凭证已经被审核，不能被删除");
  press(QStringLiteral("向后"));
  host().answers.push_back(msgbox::IdYes);
  press(QStringLiteral("删除"));
  EXPECT_EQ(lastMessage(), "凭证被删除将不能恢复，你是否确实要删除本张凭证？");
  EXPECT_EQ(model().header().credId, "201107000001") << "the only voucher left shows";
  EXPECT_FALSE(model().isNew());
}

TEST_P(VoucherScreenWidget, LinesAreInsertedRemovedAndVouchersBrowsed) {
  storeVoucher("201107000001", 1, 1, {{.subject = "10001", .debit = "80"}, {.subject = "50001", .credit = "80"}});
  opened();
  compose(QStringLiteral("新的"));
  press(QStringLiteral("向前"));  // a changed voucher asks first; No drops it
  EXPECT_EQ(lastMessage(), "凭证数据未保存，是否保存?");
  host().answers.push_back(msgbox::IdNo);
  press(QStringLiteral("向前"));
  ASSERT_EQ(model().header().credId, "201107000001");
  EXPECT_EQ(screen().findChild<QLabel*>("codeLabel")->text(), QStringLiteral("1"));
  EXPECT_EQ(model().lines().size(), 2U);

  clickCell(1, Column::Summary);
  press(QStringLiteral("插入"));
  ASSERT_EQ(model().lines().size(), 3U);
  EXPECT_EQ(model().currentLine(), 1U);
  EXPECT_EQ(line(1).summary, "摘要") << "an inserted line carries the summary above it";
  press(QStringLiteral("移除"));
  EXPECT_EQ(model().lines().size(), 2U);
  EXPECT_EQ(line(1).subjectCode, "50001");

  host().answers.push_back(msgbox::IdNo);
  press(QStringLiteral("向后"));  // past the last voucher: a new one
  EXPECT_TRUE(model().isNew());
  EXPECT_EQ(model().lines().size(), 1U);
}

}  // namespace
}  // namespace qj::test
