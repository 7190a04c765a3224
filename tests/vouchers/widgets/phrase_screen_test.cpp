// The phrase screen on its real widgets: opening from the menu, choosing by
// double click and by 确定, adding a type and phrases through the dialogs.
#include "vouchers/widgets/phrase_screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "package/widgets/screen_catalog.h"
#include "support/screenshot.h"
#include "vouchers/phrase_fixture.h"

namespace qj::test {
namespace {

using vouchers::PhraseScreen;

class PhraseScreenWidgets : public PhraseTest {
 protected:
  void SetUp() override {
    PhraseTest::SetUp();
    library();
    nextKeyAfter(60);
  }
  void TearDown() override {
    base::UnregisterAllScreens();
    PhraseTest::TearDown();
  }

  // Runs `inside` on the modal screen as soon as it shows, then closes it if
  // it is still open, so that a failing test ends instead of waiting.
  static void WhenModal(std::function<void(PhraseScreen&)> inside, int attempts = 200) {
    QTimer::singleShot(10, [inside = std::move(inside), attempts] {
      auto* screen = qobject_cast<PhraseScreen*>(QApplication::activeModalWidget());
      if (!screen) {
        if (attempts > 0) WhenModal(inside, attempts - 1);
        return;
      }
      EXPECT_TRUE(QTest::qWaitForWindowExposed(screen));
      inside(*screen);
      if (screen->isVisible()) screen->reject();
    });
  }
  static void Click(QWidget& within, const QString& text) {
    for (QPushButton* button : within.findChildren<QPushButton*>()) {
      if (button->text() != text || !button->isVisible()) continue;
      QTest::mouseClick(button, Qt::LeftButton);
      return;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
  }
  static void SelectType(PhraseScreen& screen, const QString& name) {
    const auto found = screen.typeList()->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    screen.typeList()->setCurrentItem(found.front());
  }
  static QStringList Shown(PhraseScreen& screen) {
    QStringList out;
    for (int row = 0; row < screen.phraseTable()->rowCount(); ++row) out << screen.phraseTable()->item(row, 0)->text();
    return out;
  }
  static QTableWidgetItem* Row(PhraseScreen& screen, const QString& text) {
    const auto found = screen.phraseTable()->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
  }
  static void Deliver() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  std::unique_ptr<PhraseScreen> opened() {
    auto screen = std::make_unique<PhraseScreen>(host(), nullptr);
    screen->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    return screen;
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, PhraseScreenWidgets, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(PhraseScreenWidgets, OpensModallyFromTheMenuWithTypesLeftAndPhrasesRight) {
  package::RegisterBuiltScreens();
  bool shown = false;
  WhenModal([&](PhraseScreen& screen) {
    shown = true;
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("凭证摘要"));
    ASSERT_EQ(screen.typeList()->count(), 3);
    EXPECT_EQ(screen.typeList()->currentItem()->text(), QStringLiteral("全部摘要"));
    EXPECT_EQ(Shown(screen), (QStringList{"存款", "差旅费", "提现", "提现"}));
    SelectType(screen, QStringLiteral("银行"));
    EXPECT_EQ(Shown(screen), (QStringList{"存款", "提现"}));
    SaveScreenshot(screen, "phrase_screen");
  });
  call("SHOWFINANCEFORM", {}, "FRMCREDPRECIS");
  EXPECT_TRUE(shown);
}

TEST_P(PhraseScreenWidgets, ADoubleClickOnAPhraseChoosesItsText) {
  WhenModal([](PhraseScreen& screen) {
    SelectType(screen, QStringLiteral("费用"));
    QTableWidgetItem* item = Row(screen, QStringLiteral("差旅费"));
    ASSERT_NE(item, nullptr);
    QWidget* cells = screen.phraseTable()->viewport();
    const QPoint at = screen.phraseTable()->visualItemRect(item).center();
    QTest::mouseClick(cells, Qt::LeftButton, {}, at);  // the first click of the two
    QTest::mouseDClick(cells, Qt::LeftButton, {}, at);
  });
  EXPECT_EQ(vouchers::ChoosePhrase(host(), nullptr), "差旅费");
}

TEST_P(PhraseScreenWidgets, OkChoosesTheCurrentPhraseAndCancelChoosesNothing) {
  WhenModal([](PhraseScreen& screen) {
    screen.phraseTable()->setCurrentItem(Row(screen, QStringLiteral("提现")));
    Click(screen, QStringLiteral("确定"));
  });
  EXPECT_EQ(vouchers::ChoosePhrase(host(), nullptr), "提现");
  WhenModal([](PhraseScreen& screen) { Click(screen, QStringLiteral("取消")); });
  EXPECT_EQ(vouchers::ChoosePhrase(host(), nullptr), std::nullopt);
  WhenModal([](PhraseScreen& screen) {
    SelectType(screen, QStringLiteral("银行"));
    Click(screen, QStringLiteral("确定"));
  });
  EXPECT_EQ(vouchers::ChoosePhrase(host(), nullptr), "存款");  // the first of the type is current
}

TEST_P(PhraseScreenWidgets, AddsATypeAndTwoPhrasesThroughTheDialogs) {
  auto screen = opened();
  QTest::mouseClick(screen->typeButton(0), Qt::LeftButton);
  vouchers::PhraseTypeDialog* typeDialog = screen->typeDialog();
  ASSERT_NE(typeDialog, nullptr);
  EXPECT_EQ(typeDialog->windowTitle(), QStringLiteral("摘要类别-编辑"));
  typeDialog->nameEdit()->setText(QStringLiteral("　 "));
  Click(*typeDialog, QStringLiteral("确定"));
  EXPECT_EQ(lastMessage().text, "摘要类别不可为空！");
  ASSERT_TRUE(typeDialog->isVisible());
  typeDialog->nameEdit()->setText(QStringLiteral("工资"));
  SaveScreenshot(*typeDialog, "phrase_type_dialog");
  Click(*typeDialog, QStringLiteral("确定"));
  Deliver();
  EXPECT_EQ(screen->typeDialog(), nullptr);
  EXPECT_EQ(screen->typeList()->currentItem()->text(), QStringLiteral("工资"));
  EXPECT_EQ(storedTypes().back(), "61:工资");

  QTest::mouseClick(screen->phraseButton(0), Qt::LeftButton);
  vouchers::PhraseDialog* dialog = screen->phraseDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("摘要-编辑"));
  EXPECT_EQ(dialog->typeBox()->currentText(), QStringLiteral("工资"));  // the current type
  dialog->nameEdit()->setText(QStringLiteral("计提工资"));
  QTest::keyClicks(dialog->helpCodeEdit(), "jtgz");
  SaveScreenshot(*dialog, "phrase_dialog");
  Click(*dialog, QStringLiteral("增加"));
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->nameEdit()->text(), QString());
  EXPECT_EQ(dialog->helpCodeEdit()->text(), QString());
  EXPECT_EQ(dialog->typeBox()->currentText(), QStringLiteral("工资"));
  dialog->nameEdit()->setText(QStringLiteral("发放工资"));
  Click(*dialog, QStringLiteral("确定"));
  Deliver();
  EXPECT_EQ(screen->phraseDialog(), nullptr);
  EXPECT_EQ(Shown(*screen), (QStringList{"发放工资", "计提工资"}));
  EXPECT_EQ(screen->phraseTable()->currentRow(), 0);  // the phrase stored last
  EXPECT_EQ(screen->phraseTable()->item(1, 1)->text(), QStringLiteral("jtgz"));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Precis WHERE PrecisTYPEID=61"), 2);
  SaveScreenshot(*screen, "phrase_screen_added");
}

TEST_P(PhraseScreenWidgets, CancellingADialogStoresNothingAndARefusedChangeOpensNone) {
  lineWithSummary("存款");
  auto screen = opened();
  screen->phraseTable()->setCurrentItem(Row(*screen, QStringLiteral("存款")));
  QTest::mouseClick(screen->phraseButton(1), Qt::LeftButton);
  EXPECT_EQ(screen->phraseDialog(), nullptr);
  EXPECT_EQ(lastMessage().text, "该记录已被使用，不能修改!");

  screen->phraseTable()->setCurrentItem(Row(*screen, QStringLiteral("差旅费")));
  QTest::mouseClick(screen->phraseButton(1), Qt::LeftButton);
  ASSERT_NE(screen->phraseDialog(), nullptr);
  EXPECT_EQ(screen->phraseDialog()->typeBox()->currentText(), QStringLiteral("费用"));
  screen->phraseDialog()->nameEdit()->setText(QStringLiteral("差旅补助"));
  Click(*screen->phraseDialog(), QStringLiteral("取消"));
  Deliver();
  EXPECT_EQ(screen->phraseDialog(), nullptr);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Precis WHERE PrecisNAME='差旅费'"), 1);
  EXPECT_EQ(screen->phraseTable()->currentItem()->text(), QStringLiteral("差旅费"));
}

}  // namespace
}  // namespace qj::test
