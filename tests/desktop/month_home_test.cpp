// The month's home page on the empty work area: the book and its period,
// what is left to do, and the month's steps opened by state and rights.
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include "desktop/dialog_message_boxes.h"
#include "desktop/login_model.h"
#include "desktop/main_window.h"
#include "desktop/month_home.h"
#include "desktop/workspace.h"
#include "desktop_fixture.h"
#include "host/book_session.h"
#include "host/user_store.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

class MonthHomeTest : public DesktopTest {
 protected:
  std::unique_ptr<desktop::Workspace> logIn(const std::string& user) {
    desktop::LoginModel login;
    EXPECT_EQ(login.logIn(location(), user, "pw"), desktop::LoginStep::Done);
    auto workspace = std::make_unique<desktop::Workspace>(login.take(), boxes_);
    workspace->window().resize(1100, 720);
    return workspace;
  }
  void addUsers() {
    auto session = host::BookSession::Open(location());
    host::UserStore users(session->db());
    users.setPassword(host::kAdministrator, "pw");
    users.add("出纳", "pw");
    users.grant("出纳", 58, 1);
  }
  void storeVoucher(int serial, bool audited) {
    auto session = host::BookSession::Open(location());
    session->db().execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG) "
        "VALUES (:id, :no, 1, :no, :checked, 'F')",
        {{"id", "201107" + std::string(5, '0') + std::to_string(serial)},
         {"no", serial},
         {"checked", audited ? "T" : "F"}});
  }
  static QPushButton* step(desktop::MainWindow& window, const char* key) {
    auto* button = window.monthHome()->findChild<QPushButton*>(QString::fromLatin1(key));
    EXPECT_NE(button, nullptr) << key;
    return button;
  }
  static QString facts(desktop::MainWindow& window) {
    return window.monthHome()->findChild<QLabel*>(QStringLiteral("homeFacts"))->text();
  }

 private:
  desktop::DialogMessageBoxes boxes_;
};
QJ_DESKTOP_ON_EVERY_ENGINE(MonthHomeTest);

TEST_P(MonthHomeTest, ShowsTheMonthAndOpensOnlyTheStepsTheBookIsReadyFor) {
  addUsers();
  auto workspace = logIn(host::kAdministrator);
  desktop::MainWindow& window = workspace->window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(window.monthHome()->isVisible());
  EXPECT_EQ(window.monthHome()->geometry(), window.workArea()->viewport()->rect()) << "it fills the work area";
  EXPECT_EQ(window.monthHome()->findChild<QLabel*>(QStringLiteral("homeCompany"))->text(), QString::fromUtf8(kCompany));
  EXPECT_EQ(window.monthHome()->findChild<QLabel*>(QStringLiteral("homePeriod"))->text(),
            QStringLiteral("当前期间：2011年07月"));
  EXPECT_TRUE(facts(window).contains(QStringLiteral("本月凭证 0 张，未审核 0 张，未登帐 0 张")))
      << facts(window).toStdString();
  EXPECT_TRUE(step(window, "VOUCHERVOICE_FRM")->isEnabled());
  EXPECT_FALSE(step(window, "FRMVOUAUADI")->isEnabled());
  EXPECT_EQ(step(window, "FRMVOUAUADI")->toolTip(), QStringLiteral("本月没有待审核的凭证。"));
  EXPECT_FALSE(step(window, "VOUCHERLOGONACCOUNT_FRM")->isEnabled());

  // Work done elsewhere shows once a screen closes.
  storeVoucher(1, false);
  storeVoucher(2, true);
  window.findChild<QAction*>(QStringLiteral("hostLog"))->trigger();
  window.workArea()->closeAllSubWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(facts(window).contains(QStringLiteral("本月凭证 2 张，未审核 1 张，未登帐 2 张")))
      << facts(window).toStdString();
  EXPECT_TRUE(step(window, "FRMVOUAUADI")->isEnabled());
  EXPECT_TRUE(step(window, "VOUCHERLOGONACCOUNT_FRM")->isEnabled());
  EXPECT_FALSE(step(window, "PERIODENDOFF_FRM")->isEnabled());
  EXPECT_FALSE(step(window, "PERIODENDOFF_FRM")->toolTip().isEmpty());
  SaveScreenshot(window, "desktop_month_home");

  // A step opens its screen: the audit list's filter first.
  bool filtered = false;
  WhenModalAppears([&](QWidget& filter) {
    filtered = true;
    filter.close();
  });
  QTest::mouseClick(step(window, "FRMVOUAUADI"), Qt::LeftButton);
  QCoreApplication::processEvents();  // the step runs after the button has finished its click
  EXPECT_TRUE(filtered);
}

TEST_P(MonthHomeTest, AClerksStepsSayWhichRightIsMissing) {
  addUsers();
  storeVoucher(1, false);
  auto workspace = logIn("出纳");
  desktop::MainWindow& window = workspace->window();
  EXPECT_TRUE(step(window, "VOUCHERVOICE_FRM")->isEnabled());
  EXPECT_FALSE(step(window, "FRMVOUAUADI")->isEnabled());
  EXPECT_EQ(step(window, "FRMVOUAUADI")->toolTip(),
            QStringLiteral("你没有“凭证审核”的“打开”权限，请与系统管理员联系。"));
}

}  // namespace
}  // namespace qj::test
