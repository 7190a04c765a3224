// A bookkeeper's first day on a new book with the small-enterprise chart,
// through the desktop's own windows: opening balances, three vouchers typed
// with the keyboard alone, a second user auditing them, and posting; every
// window it opens is closed again.
#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "desktop/dialog_message_boxes.h"
#include "desktop/login_model.h"
#include "desktop/main_window.h"
#include "desktop/month_home.h"
#include "desktop/workspace.h"
#include "desktop_fixture.h"
#include "host/book_creation.h"
#include "host/book_record_store.h"
#include "host/book_session.h"
#include "host/user_store.h"
#include "package/starting_chart.h"
#include "support/screenshot.h"
#include "vouchers/widgets/voucher_grid.h"
#include "vouchers/widgets/voucher_screen.h"

namespace qj::test {
namespace {

constexpr const char* kAuditor = "李会计";

class BookkeepersDayTest : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    qputenv("XDG_DATA_HOME", folder_.path().toUtf8());
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    host::NewBook book;
    book.location = scratch_->location();
    book.start = Period{2011, 7};
    book.companyName = kCompany;
    book.installChart = package::StartingChartInstaller(package::StartingChart::SmallEnterprise);
    book.segmentLengths = {4, 2, 2, 2};
    host::CreateBook(book);
    auto session = host::BookSession::Open(scratch_->location());
    host::UserStore users(session->db());
    users.setPassword(host::kAdministrator, "pw");
    users.add(kAuditor, "pw");
    for (const auto& [function, action] : {std::pair{59, 1}, std::pair{59, 5}}) users.grant(kAuditor, function, action);
    host::WriteAuditOptions(session->db(), true, false);  // audited before posting, never by the maker
  }

  std::unique_ptr<desktop::Workspace> logIn(const std::string& user) {
    desktop::LoginModel login;
    EXPECT_EQ(login.logIn(scratch_->location(), user, "pw"), desktop::LoginStep::Done) << user;
    auto workspace = std::make_unique<desktop::Workspace>(login.take(), boxes_);
    workspace->window().resize(1100, 720);
    return workspace;
  }
  std::int64_t count(const std::string& sql) {
    auto session = host::BookSession::Open(scratch_->location());
    return data::IntegerOf(session->db().scalar(sql));
  }

  // Where the keyboard is now.
  static QWidget* focused() {
    QWidget* focus = QApplication::focusWidget();
    EXPECT_NE(focus, nullptr) << "nothing has the keyboard";
    return focus;
  }
  static void key(Qt::Key pressed) { QTest::keyClick(focused(), pressed); }
  static void keys(const char* typed) {
    for (const char* c = typed; *c; ++c) QTest::keyClick(focused(), *c);
  }
  // Chinese text as an input method hands it to the cell being typed into.
  static void compose(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(focused(), &event);
  }
  // One line: summary (carried down after the first), subject, then the
  // debit, or the credit balanced with F3.
  static void typeLine(const QString& summary, const char* subject, const char* debit) {
    if (!summary.isEmpty()) compose(summary);
    key(Qt::Key_Return);
    keys(subject);
    key(Qt::Key_Return);
    if (debit) {
      keys(debit);
      key(Qt::Key_Return);
      key(Qt::Key_Return);  // past the credit: the next line
    } else {
      key(Qt::Key_Return);  // to the credit
      key(Qt::Key_F3);
    }
  }
  // Answers the next message box with the button whose text begins with `answer`.
  static void answerNextBox(const QString& answer, std::vector<std::string>* shown) {
    WhenModalAppears([answer, shown](QWidget& window) {
      auto* box = qobject_cast<QMessageBox*>(&window);
      ASSERT_NE(box, nullptr) << "expected a message box";
      if (shown) shown->push_back(box->text().toStdString());
      for (QAbstractButton* button : box->buttons())
        if (button->text().startsWith(answer)) button->click();
    });
  }

  void enterOpeningBalances(desktop::MainWindow& window) {
    bool entered = false;
    WhenModalAppears([&](QWidget& dialog) {
      auto* table = dialog.findChild<QTableView*>(QStringLiteral("openingTable"));
      ASSERT_NE(table, nullptr);
      const auto type = [&](const char* code, const char* amount) {
        const QAbstractItemModel& model = *table->model();
        int row = 0;
        while (row < model.rowCount() && model.index(row, 0).data().toString() != QString::fromLatin1(code)) ++row;
        ASSERT_LT(row, model.rowCount()) << code;
        int column = 0;
        while (column < model.columnCount() &&
               model.headerData(column, Qt::Horizontal).toString() != QStringLiteral("期初余额"))
          ++column;
        const QModelIndex cell = model.index(row, column);
        table->setCurrentIndex(cell);
        table->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(cell));
        ASSERT_NE(editor, nullptr) << code;
        QTest::keyClicks(editor, QString::fromLatin1(amount));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
      };
      type("1001", "2000");
      type("1002", "98000");
      type("3001", "100000");
      SaveScreenshot(dialog, "day_opening_balances");
      entered = true;
      ButtonNamed(dialog, QStringLiteral("关闭"))->click();
    });
    window.findChild<QAction*>(QStringLiteral("FRISTSUBJECTINITLIST_FRM"))->trigger();
    EXPECT_TRUE(entered);
  }

  void typeThreeVouchers(desktop::MainWindow& window) {
    bool typed = false;
    WhenModalAppears([&](QWidget& shown) {
      auto* screen = dynamic_cast<vouchers::VoucherScreen*>(&shown);
      if (!screen) {
        ADD_FAILURE() << "the voucher screen did not open";
        shown.close();
        return;
      }
      screen->activateWindow();  // as the window manager does with a new dialog
      EXPECT_TRUE(QTest::qWaitForWindowActive(screen));
      EXPECT_EQ(focused(), screen->grid()->textEditor()) << "the first key goes into the summary";
      typeLine(QStringLiteral("提取备用金"), "1001", "500");
      typeLine({}, "1002", nullptr);
      key(Qt::Key_F2);
      key(Qt::Key_F9);
      typeLine(QStringLiteral("支付办公费"), "560205", "320.5");
      typeLine({}, "1001", nullptr);
      key(Qt::Key_F2);
      key(Qt::Key_F9);
      typeLine(QStringLiteral("销售收入"), "1002", "12000");
      typeLine({}, "5001", nullptr);
      key(Qt::Key_F2);
      SaveScreenshot(*screen, "day_third_voucher");
      typed = true;
      key(Qt::Key_Escape);  // stored and unchanged: it closes without asking
    });
    window.findChild<QAction*>(QStringLiteral("VOUCHERVOICE_FRM"))->trigger();
    EXPECT_TRUE(typed);
  }

  void auditEverything(desktop::MainWindow& window) {
    QPushButton* audit = window.monthHome()->findChild<QPushButton*>(QStringLiteral("FRMVOUAUADI"));
    ASSERT_NE(audit, nullptr);
    ASSERT_TRUE(audit->isEnabled()) << audit->toolTip().toStdString();
    WhenModalAppears([](QWidget& filter) { ButtonNamed(filter, QStringLiteral("确定"))->click(); });
    QTest::mouseClick(audit, Qt::LeftButton);
    QApplication::processEvents();
    QMdiSubWindow* list = window.workArea()->activeSubWindow();
    ASSERT_NE(list, nullptr) << "the audit list did not open";
    std::vector<std::string> asked;
    answerNextBox(QStringLiteral("是"), &asked);
    QTest::mouseClick(list->widget()->findChild<QPushButton*>(QStringLiteral("batchAuditButton")), Qt::LeftButton);
    EXPECT_EQ(asked, std::vector<std::string>{"成批审核序时簿中的凭证吗？"});
    SaveScreenshot(window, "day_audited");
    list->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void post(desktop::MainWindow& window) {
    std::vector<std::string> told;
    WhenModalAppears([&](QWidget& dialog) {
      answerNextBox(QStringLiteral("确定"), &told);
      ButtonNamed(dialog, QStringLiteral("确定"))->click();
    });
    QTest::mouseClick(window.monthHome()->findChild<QPushButton*>(QStringLiteral("VOUCHERLOGONACCOUNT_FRM")),
                      Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(told, std::vector<std::string>{"共有3张凭证被登帐"});
  }

  // Nothing of the day is left open but the main window itself.
  static void expectOnlyTheMainWindow(desktop::MainWindow& window) {
    EXPECT_TRUE(window.workArea()->subWindowList().isEmpty());
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top != &window && top->isVisible()) ADD_FAILURE() << "still open: " << top->windowTitle().toStdString();
  }

 private:
  QTemporaryDir folder_;
  std::unique_ptr<ScratchDatabase> scratch_;
  desktop::DialogMessageBoxes boxes_;
};
QJ_DESKTOP_ON_EVERY_ENGINE(BookkeepersDayTest);

TEST_P(BookkeepersDayTest, OpeningBalancesThreeVouchersAnAuditByASecondUserAndPosting) {
  {
    auto workspace = logIn(host::kAdministrator);
    desktop::MainWindow& window = workspace->window();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    enterOpeningBalances(window);
    EXPECT_EQ(count("SELECT COUNT(*) FROM SubjectStartData WHERE SUBJECTID='1002' AND Balance<>0"), 1);
    typeThreeVouchers(window);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CREDID LIKE '201107%' AND BILLMAKER='admin'"), 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherDetail"), 6);
    EXPECT_EQ(count("SELECT SUM(DEBIT) FROM VoucherDetail"), count("SELECT SUM(CREDIT) FROM VoucherDetail"));
    // The maker may not audit his own vouchers, and posting waits for the audit.
    QPushButton* posting = window.monthHome()->findChild<QPushButton*>(QStringLiteral("VOUCHERLOGONACCOUNT_FRM"));
    EXPECT_FALSE(posting->isEnabled());
    EXPECT_EQ(posting->toolTip(), QStringLiteral("本月的凭证须先审核，才能登帐。"));
    SaveScreenshot(window, "day_vouchers_entered");
    expectOnlyTheMainWindow(window);
  }
  {
    auto workspace = logIn(kAuditor);
    auditEverything(workspace->window());
    EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE CHECKFLAG='T' AND BILLCHECK='李会计'"), 3);
    expectOnlyTheMainWindow(workspace->window());
  }
  {
    auto workspace = logIn(host::kAdministrator);
    desktop::MainWindow& window = workspace->window();
    post(window);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VoucherMaster WHERE POSTFLAG='T'"), 3);
    // 1001: 500 in, 320.50 out this month, in local money and in all currencies.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Balance WHERE SUBJECTID='1001' AND YEARMON='201107' AND DEBIT=5000000 "
                    "AND CREDIT=3205000"),
              2);
    EXPECT_TRUE(window.monthHome()
                    ->findChild<QLabel*>(QStringLiteral("homeFacts"))
                    ->text()
                    .contains(QStringLiteral("本月凭证 3 张，未审核 0 张，未登帐 0 张")));
    SaveScreenshot(window, "day_posted");
    expectOnlyTheMainWindow(window);
  }
}

}  // namespace
}  // namespace qj::test
