// The opening-balance screen's widgets over a real book.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "opening_widget_fixture.h"

namespace qj::test {
namespace {

class OpeningDialogWidget : public OpeningWidgetTest {
 protected:
  std::string notice() { return dialogLabel("noticeLabel"); }
  std::string dialogLabel(const char* name) { return table().window()->findChild<QLabel*>(name)->text().toStdString(); }
};
INSTANTIATE_TEST_SUITE_P(Engines, OpeningDialogWidget, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(OpeningDialogWidget, AnAmountTypedIntoACellIsStoredAndMovesTheTotalLine) {
  opened();
  EXPECT_EQ(table().model()->headerData(4, Qt::Horizontal).toString().toStdString(), "本年累计\n借方");
  EXPECT_FALSE(table().model()->flags(cell("10101", "本年年初")) & Qt::ItemIsEditable);
  EXPECT_FALSE(table().model()->flags(cell("", "期初余额")) & Qt::ItemIsEditable) << "the total line";

  type("10101", "期初余额", "1500.5");
  type("201", "本年累计|贷方", "300");
  EXPECT_EQ(figure("0010101", "Balance"), Money::parse("1500.50"));
  EXPECT_EQ(figure("00201", "CREDIT"), Money::fromInteger(300));
  EXPECT_EQ(shown("10101", "期初余额"), "1,500.50");  // money shows grouped with two decimals
  EXPECT_EQ(shown("", "期初余额"), "1,500.50");
  EXPECT_EQ(shown("", "本年累计|贷方"), "300.00");
  // Enter took the figure and went down a line, ready for the next one.
  EXPECT_EQ(table().currentIndex().row(), cell("201", "本年累计|贷方").row() + 1);
  EXPECT_EQ(table().currentIndex().column(), cell("201", "本年累计|贷方").column());
  EXPECT_EQ(notice(), "还未进行试算平衡！");
  snap("opening_screen");
}

TEST_P(OpeningDialogWidget, AForeignAmountShowsItsLocalTwin) {
  opened();
  auto* currency = table().window()->findChild<QComboBox*>("currencyBox");
  currency->setFocus();
  QTest::keyClick(currency, Qt::Key_Down);  // 美元
  EXPECT_EQ(dialogLabel("rateLabel"), "汇率：6.8000");
  type("10102", "期初余额|原币", "10");
  EXPECT_EQ(shown("10102", "期初余额|本位币"), "68.00");
  EXPECT_EQ(shown("", "期初余额|本位币"), "68.00");
  table().window()->resize(1300, 620);
  snap("opening_screen_foreign");
}

TEST_P(OpeningDialogWidget, AFailedTrialBalanceShowsItsFiguresAndTheSheetShowsTheSides) {
  opened();
  type("10101", "期初余额", "100");
  press("trialBalanceButton");
  ASSERT_FALSE(host().messages.empty());
  EXPECT_EQ(host().messages.back().caption, "警告");
  EXPECT_EQ(host().messages.back().text.rfind("试算平衡尚未通过！其中：\n年初余额借方：100.00\n年初余额贷方：0.00", 0),
            0U);
  EXPECT_EQ(notice(), "");

  press("trialSheetButton");
  EXPECT_EQ(button("trialSheetButton").text().toStdString(), "返回会计科目初始");
  EXPECT_EQ(shown("101", "期初余额|借方"), "100.00") << "the summary row rolled up";
  EXPECT_EQ(shown("", "年初余额|借方"), "100.00");
  EXPECT_EQ(shown("", "期初余额|贷方"), "0.00");
  snap("opening_trial_sheet");
  press("trialSheetButton");
  EXPECT_EQ(shown("10101", "期初余额"), "100.00");
}

TEST_P(OpeningDialogWidget, DiscardTakesTheRowsBackAndTheLevelOneBoxFilters) {
  opened();
  type("10101", "期初余额", "100");
  press("discardButton");
  EXPECT_EQ(figure("0010101", "Balance"), Money());
  EXPECT_EQ(shown("10101", "期初余额"), "0.00");
  EXPECT_EQ(shown("", "期初余额"), "0.00");
  EXPECT_EQ(notice(), "");

  table().window()->findChild<QCheckBox*>("levelOneBox")->setChecked(true);
  EXPECT_EQ(table().model()->rowCount(), 2) << "201 and the total line";
}

TEST_P(OpeningDialogWidget, WithoutTheModifyPrivilegeNothingCanBeTyped) {
  host().deniedPrivileges.insert({73, 3});
  opened();
  for (int r = 0; r < table().model()->rowCount(); ++r)
    for (int c = 0; c < table().model()->columnCount(); ++c)
      EXPECT_FALSE(table().model()->flags(table().model()->index(r, c)) & Qt::ItemIsEditable);
  EXPECT_FALSE(button("discardButton").isEnabled());
}

TEST_P(OpeningDialogWidget, ClosingAnUnbalancedChangeWithTransferKeepsTheScreenOpen) {
  db().execute("UPDATE AccountState SET STATUS=1");
  opened();
  type("10101", "期初余额", "100");
  host().answers = {msgbox::IdYes};
  press("closeButton");
  EXPECT_EQ(host().messages.back().text, "帐务系统初始数据不平衡，不能转入总分类帐簿");
  EXPECT_TRUE(table().window()->isVisible());
  EXPECT_EQ(shown("10101", "期初余额"), "100.00");

  host().answers = {msgbox::IdNo};
  press("closeButton");
  EXPECT_FALSE(table().window()->isVisible());
  EXPECT_EQ(figure("0010101", "Balance"), Money());
}

TEST_P(OpeningDialogWidget, AnAmountStillBeingTypedWhenTheWindowClosesCountsAsAChange) {
  db().execute("UPDATE AccountState SET STATUS=1");
  opened();
  type("10101", "期初余额", "42", false);
  host().answers = {msgbox::IdNo};
  table().window()->close();
  ASSERT_FALSE(host().messages.empty());
  EXPECT_EQ(host().messages.back().text, "是否将刚修改的初始数据转入总分类帐簿");
  EXPECT_FALSE(table().window()->isVisible());
  EXPECT_EQ(figure("0010101", "Balance"), Money()) << "not transferred: taken back";
}

TEST_P(OpeningDialogWidget, ExportWritesTheShownListWithItsHeadingsAndTotal) {
  host().book.CompanyName = "青简商贸";
  opened();
  type("10101", "期初余额", "100");
  QTemporaryDir folder;
  const QString path = folder.filePath("opening.csv");
  QTimer::singleShot(0, [&] {
    auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    chooser->selectFile(path);
    static_cast<QDialog*>(chooser)->accept();  // QFileDialog::accept, as its button does
  });
  press("exportButton");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::string written = QString::fromUtf8(file.readAll()).toStdString();
  for (const char* expected :
       {"会计科目初始", "币种选择：人民币", "编制单位:青简商贸", "本年累计 借方",
        "10101,科目101 → 科目10101,借,100.00,0.00,0.00,100.00,0.00", ",合计,,", "操作员:测试员", "打印日期:"})
    EXPECT_NE(written.find(expected), std::string::npos) << expected << "\n" << written;
}

TEST_P(OpeningDialogWidget, PrintShowsThePreviewOfTheList) {
  opened();
  bool previewed = false;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    previewed = true;
    preview->reject();
  });
  press("printButton");
  EXPECT_TRUE(previewed);
  EXPECT_TRUE(host().messages.empty());
}

}  // namespace
}  // namespace qj::test
