// The opening-balance screen opened as the host opens it: through the
// dispatcher, under the lock of the key it was reached by.
#include <QDialog>
#include <QTimer>
#include <functional>

#include "opening_widget_fixture.h"
#include "subjects/opening_session.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

class OpeningScreenWidget : public OpeningWidgetTest {
 protected:
  // Opens a key through SHOWFINANCEFORM; `whileOpen` sees the modal dialog,
  // which is then closed. True when a dialog was shown.
  bool open(
      const std::string& key, const std::function<void(QDialog&)>& whileOpen = [](QDialog&) {}) {
    bool shown = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      shown = true;
      whileOpen(*dialog);
      dialog->close();
    });
    timer.start(0);
    call("SHOWFINANCEFORM", {}, key);
    return shown;
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, OpeningScreenWidget, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(OpeningScreenWidget, AnAdjustmentHoldsTheLedgerLockWhileTheScreenIsOpen) {
  EXPECT_TRUE(open("SUBJECTINITLIST_FRM", [&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "会计科目初始");
    EXPECT_EQ(host().heldLocks, (std::map<std::string, int>{{"CREDLOCK", 1}}));
    EXPECT_TRUE(host().FormIsExist("SubjectInitList_Frm"));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(host().toolbar.size(), 10U) << "the host's toolbar switched off";
    SaveScreenshot(dialog, "opening_screen_dispatched");
  }));
  EXPECT_TRUE(host().heldLocks.empty());
  EXPECT_EQ(host().log, (std::vector<std::pair<int, std::string>>{{200, "会计科目初始"}, {201, "会计科目初始"}}));
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(OpeningScreenWidget, TheFirstTimeEntryHoldsTheBookLock) {
  addVoucher("201107000001", 1, 1, true);  // needs no start period
  EXPECT_TRUE(open("FRISTSUBJECTINITLIST_FRM", [&](QDialog&) {
    EXPECT_EQ(host().heldLocks, (std::map<std::string, int>{{"ACCLOCK", 1}}));
  }));
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(OpeningScreenWidget, ARefusedLedgerLockShowsItsMessageAndNoScreen) {
  host().refusedLocks.insert("CREDLOCK");
  EXPECT_FALSE(open("SUBJECTINITLIST_FRM"));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, subjects::kAdjustmentLockedMessage);
  EXPECT_EQ(host().messages[0].caption, "青简财务");
  EXPECT_TRUE(host().log.empty());
}

TEST_P(OpeningScreenWidget, AfterAPostedVoucherTheStartPeriodMessageIsShownInstead) {
  addVoucher("201107000001", 1, 1, true);
  EXPECT_FALSE(open("SUBJECTINITLIST_FRM"));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, subjects::kStartPeriodMessage);
  EXPECT_EQ(host().messages[0].caption, "青简财务提示");
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(OpeningScreenWidget, ADatabaseFailureOnOpeningShowsNoScreenAndGivesTheLockBack) {
  db().execute("DROP TABLE SubjectStartDatatemp");
  EXPECT_FALSE(open("SUBJECTINITLIST_FRM"));
  EXPECT_EQ(host().databaseErrors.size(), 1U);
  EXPECT_TRUE(host().heldLocks.empty());
}

}  // namespace
}  // namespace qj::test
