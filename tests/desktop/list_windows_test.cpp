// The package's list windows live inside the main window until the user
// closes them: by the close box, by switching books or by leaving the
// program. Each way must take the window down once and only once.
#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "base/screen_table.h"
#include "desktop/desktop.h"
#include "desktop/main_window.h"
#include "desktop/workspace.h"
#include "desktop_fixture.h"
#include "host/book_session.h"
#include "host/user_store.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

enum class Closing { CloseBox, SwitchBook, Exit };

class ListWindowsTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    auto session = host::BookSession::Open(location());
    data::Connection& db = session->db();
    host::UserStore(db).setPassword(host::kAdministrator, "pw");
    // One voucher, so that the lists have rows to draw.
    db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES ('101', '现金', 'T', 'T')");
    // The cash subject, so that the journal's filter has a subject to offer.
    db.execute("INSERT INTO HostReservedSub (RESERVEDID, SUBJECTID) VALUES (2, '101')");
    db.execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG) "
        "VALUES ('201107000001', 1, 1, 1, 'F', 'F')");
    for (int line = 0; line < 2; ++line)
      db.execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis, DEBIT, CREDIT) "
          "VALUES ('201107000001', :line, '101', '摘要', :debit, :credit)",
          {{"line", line},
           {"debit", line == 0 ? data::Value(Money::fromInteger(5)) : data::Value()},
           {"credit", line == 1 ? data::Value(Money::fromInteger(5)) : data::Value()}});
  }

  static void logIn(QWidget& dialog) {
    auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("password"));
    ASSERT_NE(password, nullptr);
    QTest::keyClicks(password, QStringLiteral("pw"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("logIn")), Qt::LeftButton);
  }

  // The keys of the list windows this build offers in the menus.
  static std::vector<base::ScreenEntry> listScreens(desktop::MainWindow& window) {
    std::vector<base::ScreenEntry> lists;
    for (const base::ScreenEntry& screen : base::ScreenTable()) {
      if (screen.pattern == base::ScreenPattern::Modal || screen.pattern == base::ScreenPattern::HostScreen) continue;
      auto* entry = window.findChild<QAction*>(QString::fromStdString(screen.key));
      if (entry && entry->isEnabled()) lists.push_back(screen);
    }
    return lists;
  }

  // Opens the list from its menu, confirming its filter dialog with 确定.
  static QMdiSubWindow* openList(desktop::MainWindow& window, const base::ScreenEntry& screen) {
    if (screen.pattern != base::ScreenPattern::Modeless)
      WhenModalAppears([](QWidget& filter) { ButtonNamed(filter, QStringLiteral("确定"))->click(); });
    window.findChild<QAction*>(QString::fromStdString(screen.key))->trigger();
    return window.workArea()->activeSubWindow();
  }
};
QJ_DESKTOP_ON_EVERY_ENGINE(ListWindowsTest);

TEST_P(ListWindowsTest, EveryListWindowClosesByItsCloseBoxBySwitchingBooksAndByLeaving) {
  std::size_t closed = 0;
  for (const Closing way : {Closing::CloseBox, Closing::SwitchBook, Closing::Exit}) {
    desktop::Desktop desktop(settings(), qLocation());
    QSignalSpy finished(&desktop, &desktop::Desktop::finished);
    WhenModalAppears(&ListWindowsTest::logIn);
    ASSERT_TRUE(desktop.start());
    desktop::MainWindow& window = desktop.workspace()->window();
    window.resize(1000, 700);
    const auto lists = listScreens(window);
    ASSERT_FALSE(lists.empty()) << "the build offers no list window";

    std::vector<QPointer<QWidget>> opened;
    for (const base::ScreenEntry& screen : lists) {
      QMdiSubWindow* frame = openList(window, screen);
      ASSERT_NE(frame, nullptr) << screen.key;
      opened.emplace_back(frame->widget());
      if (way == Closing::CloseBox) {
        if (screen.key == "FRMVOUAUADI") SaveScreenshot(window, "desktop_audit_list_window");
        const auto framesBefore = window.workArea()->subWindowList().size();
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(opened.back().isNull()) << screen.key;
        // Its frame went with it; the lists reopened before it stay.
        EXPECT_EQ(window.workArea()->subWindowList().size(), framesBefore - 1) << screen.key;
        // It opens again afterwards.
        ASSERT_NE(openList(window, screen), nullptr) << screen.key;
        opened.back() = window.workArea()->activeSubWindow()->widget();
      }
    }

    if (way == Closing::SwitchBook) {
      WhenModalAppears(&ListWindowsTest::logIn);
      window.findChild<QAction*>(QStringLiteral("switchBook"))->trigger();
      QCoreApplication::processEvents();
      ASSERT_NE(desktop.workspace(), nullptr);
      desktop::MainWindow& next = desktop.workspace()->window();
      EXPECT_TRUE(next.workArea()->subWindowList().isEmpty());
      // The package loaded again for the next book opens its lists as before.
      for (const base::ScreenEntry& screen : lists) {
        QMdiSubWindow* frame = openList(next, screen);
        ASSERT_NE(frame, nullptr) << screen.key;
        opened.emplace_back(frame->widget());
      }
    }
    desktop.workspace()->window().findChild<QAction*>(QStringLiteral("exit"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(finished.count(), 1);
    for (const auto& list : opened) EXPECT_TRUE(list.isNull());
    closed += opened.size();
  }
  EXPECT_GE(closed, 3u);
}

}  // namespace
}  // namespace qj::test
