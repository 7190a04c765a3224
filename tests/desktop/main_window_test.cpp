#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/finance_boot_form.h"
#include "base/screen_table.h"
#include "base/widgets/finance_boot_form_widget.h"
#include "desktop/calculator.h"
#include "desktop/desktop.h"
#include "desktop/dialog_message_boxes.h"
#include "desktop/host_log_view.h"
#include "desktop/main_window.h"
#include "desktop/workspace.h"
#include "desktop_fixture.h"
#include "host/book_record_store.h"
#include "host/user_store.h"
#include "support/screenshot.h"
#include "vouchers/widgets/voucher_grid.h"
#include "vouchers/widgets/voucher_screen.h"

namespace qj::test {
namespace {

// A finance list screen as the package builds them, reduced to a label.
class TestLedger : public base::FinanceBootFormWidget {
 public:
  explicit TestLedger(HostServices& host) : FinanceBootFormWidget(host, "TestLedger_Frm", "测试明细帐") {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("这里是一张测试用的明细帐。")));
    resize(420, 260);
  }
};

class MainWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    desktop::LoginModel login;
    ASSERT_EQ(login.logIn(location(), host::kAdministrator, ""), desktop::LoginStep::NeedsPassword);
    ASSERT_EQ(login.setFirstPassword("pw", "pw"), desktop::LoginStep::Done);
    workspace_ = std::make_unique<desktop::Workspace>(login.take(), boxes_);
    window().resize(1000, 700);
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  }
  void TearDown() override { workspace_.reset(); }

  desktop::MainWindow& window() { return workspace_->window(); }
  host::BookSession& session() { return workspace_->session(); }
  host::HostApplication& host() { return workspace_->host(); }
  QAction* action(const char* name) { return window().findChild<QAction*>(QString::fromLatin1(name)); }

  // The HostLog rows, oldest first: code and text.
  std::vector<std::pair<int, std::string>> log() {
    std::vector<std::pair<int, std::string>> out;
    for (const data::Row& row : session().db().query("SELECT LOGCODE, LOGTEXT FROM HostLog ORDER BY LOGID"))
      out.emplace_back(static_cast<int>(row.integer("LOGCODE")), row.text("LOGTEXT"));
    return out;
  }

  static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

 private:
  desktop::DialogMessageBoxes boxes_;
  std::unique_ptr<desktop::Workspace> workspace_;
};
QJ_DESKTOP_ON_EVERY_ENGINE(MainWindowTest);

TEST_P(MainWindowTest, TheTitleNamesProductCompanyUserAndPeriodAndFollowsTheBook) {
  EXPECT_EQ(window().windowTitle(), QStringLiteral("青简财务 - 青简测试有限公司 - admin - 2011年07月"));
  SaveScreenshot(window(), "desktop_main_window");

  host::WriteBookParam(session().db(), host::bookparam::CompanyName, "更名后的公司");
  host().GlobalCall("SetMainCaption", "", nullptr);
  EXPECT_EQ(window().windowTitle(), QStringLiteral("青简财务 - 更名后的公司 - admin - 2011年07月"));
}

TEST_P(MainWindowTest, MenusOfferEveryScreenButOnlyTheBuiltOnesAreEnabled) {
  QStringList menus;
  for (QAction* menu : window().menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{"系统", "初始设置", "凭证", "期末", "帐簿", "现金流量", "报表"}));

  window().offerScreens([](const std::string& key) { return key == "DIARYLIST_FRM"; });
  for (const base::ScreenEntry& screen : base::ScreenTable()) {
    QAction* entry = action(screen.key.c_str());
    ASSERT_NE(entry, nullptr) << "no menu entry for " << screen.key;
    EXPECT_EQ(entry->isEnabled(), screen.key == "DIARYLIST_FRM") << screen.key;
  }
  for (const char* hostEntry :
       {"bookProperties", "userAdministration", "calculator", "hostLog", "switchBook", "exit"}) {
    ASSERT_NE(action(hostEntry), nullptr) << hostEntry;
    EXPECT_TRUE(action(hostEntry)->isEnabled()) << hostEntry;
  }
  window().menuBar()->actions().at(4)->menu()->popup(window().mapToGlobal(QPoint(200, 30)));
  SaveScreenshot(*window().menuBar()->actions().at(4)->menu(), "desktop_ledger_menu");
  window().menuBar()->actions().at(4)->menu()->hide();
}

TEST_P(MainWindowTest, AFinanceScreenLivesInTheWorkAreaAndKeepsTheHostRules) {
  for (const std::string& item : base::FinanceBootForm::ToolbarItems()) {
    ASSERT_NE(action(item.c_str()), nullptr) << item;
    EXPECT_FALSE(action(item.c_str())->isEnabled()) << item;
  }
  auto* ledger = new TestLedger(host());
  host().ShowChildWindow(ledger);
  QMdiSubWindow* frame = window().workArea()->activeSubWindow();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->widget(), ledger);
  EXPECT_EQ(log(), (std::vector<std::pair<int, std::string>>{{200, "测试明细帐"}}));
  EXPECT_TRUE(host().FormIsExist("TestLedger_Frm"));

  // A host screen switches the record toolbar on; activating the finance screen switches it off.
  for (const std::string& item : base::FinanceBootForm::ToolbarItems()) window().setToolbarItemEnabled(item, true);
  action("hostLog")->trigger();
  ASSERT_NE(window().workArea()->activeSubWindow(), frame);
  window().workArea()->setActiveSubWindow(frame);
  for (const std::string& item : base::FinanceBootForm::ToolbarItems())
    EXPECT_FALSE(action(item.c_str())->isEnabled()) << item;

  // Nearly as tall as the main window: moved to the top, 70 pixels shorter than it.
  frame->move(30, 50);
  frame->resize(500, window().height() - 40);
  EXPECT_EQ(frame->y(), 0);
  EXPECT_EQ(frame->height(), window().height() - 70);
  SaveScreenshot(window(), "desktop_finance_screen");

  frame->close();
  deleteClosedWindows();
  EXPECT_EQ(log(), (std::vector<std::pair<int, std::string>>{{200, "测试明细帐"}, {201, "测试明细帐"}}));
  EXPECT_FALSE(host().FormIsExist("TestLedger_Frm"));
}

TEST_P(MainWindowTest, ShowingAnOpenListAgainRestoresItWhenMinimised) {
  auto* ledger = new TestLedger(host());
  host().ShowChildWindow(ledger);
  QMdiSubWindow* frame = window().workArea()->activeSubWindow();
  ASSERT_NE(frame, nullptr);
  frame->showMinimized();
  ASSERT_TRUE(frame->isMinimized());
  SaveScreenshot(window(), "desktop_minimised_list");

  host().ShowChildWindow(ledger);
  EXPECT_FALSE(frame->isMinimized());
  EXPECT_EQ(window().workArea()->activeSubWindow(), frame);
  EXPECT_EQ(window().workArea()->subWindowList().size(), 1);
  EXPECT_EQ(log().size(), 1u);  // still the one opening
}

TEST_P(MainWindowTest, MessageBoxesAskInChineseAndReturnTheAnswer) {
  for (const auto& [button, expected] : {std::pair{"是(&Y)", msgbox::IdYes}, std::pair{"否(&N)", msgbox::IdNo}}) {
    WhenModalAppears([button = QString::fromUtf8(button)](QWidget& window) {
      auto* box = qobject_cast<QMessageBox*>(&window);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), QStringLiteral("询问"));
      EXPECT_EQ(box->icon(), QMessageBox::Question);
      if (button == QStringLiteral("是(&Y)")) SaveScreenshot(*box, "desktop_yes_no_box");
      ButtonNamed(*box, button)->click();
    });
    EXPECT_EQ(host().ShowMsgBox("确定要删除这张凭证吗？", "询问", msgbox::AskYesNo), expected) << button;
  }
  for (const auto& [button, expected] : {std::pair{"取消(&C)", msgbox::IdCancel}, std::pair{"否(&N)", msgbox::IdNo}}) {
    WhenModalAppears([button = QString::fromUtf8(button)](QWidget& window) {
      auto* box = qobject_cast<QMessageBox*>(&window);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->buttons().size(), 3);
      ButtonNamed(*box, button)->click();
    });
    EXPECT_EQ(host().ShowMsgBox("凭证数据未保存，是否保存?", "询问", msgbox::YesNoCancel | msgbox::IconQuestion),
              expected)
        << button;
  }

  // The keyboard answers a question by the buttons' letters.
  for (const auto& [key, expected] : {std::pair{Qt::Key_Y, msgbox::IdYes}, std::pair{Qt::Key_N, msgbox::IdNo},
                                      std::pair{Qt::Key_C, msgbox::IdCancel}}) {
    WhenModalAppears([key = key](QWidget& window) { QTest::keyClick(&window, key); });
    EXPECT_EQ(host().ShowMsgBox("凭证数据未保存，是否保存?", "询问", msgbox::YesNoCancel | msgbox::IconQuestion),
              expected)
        << key;
  }

  WhenModalAppears([](QWidget& window) {
    auto* box = qobject_cast<QMessageBox*>(&window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("青简财务"));
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->buttons().size(), 1);
    ButtonNamed(*box, QStringLiteral("确定"))->click();
  });
  host().AppShowMessage("结转本期损益成功");
}

TEST_P(MainWindowTest, TheOperationLogListsTheNewestFirstAndFiltersByCode) {
  host().WriteLog(200, "凭证录入");
  host().WriteLog(201, "凭证录入");
  host().WriteLog(200, "明细分类帐");
  action("hostLog")->trigger();
  auto* view = qobject_cast<desktop::HostLogView*>(window().workArea()->activeSubWindow()->widget());
  ASSERT_NE(view, nullptr);
  auto* table = view->findChild<QTableWidget*>(QStringLiteral("entries"));
  ASSERT_EQ(table->rowCount(), 3);
  EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("明细分类帐"));
  EXPECT_EQ(table->item(1, 2)->text(), QStringLiteral("201 关闭窗口"));
  EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("admin"));
  SaveScreenshot(window(), "desktop_operation_log");

  auto* filter = view->findChild<QComboBox*>(QStringLiteral("codeFilter"));
  filter->setCurrentIndex(filter->findData(201));
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("凭证录入"));

  // Asking again brings the same viewer forward.
  action("hostLog")->trigger();
  EXPECT_EQ(window().workArea()->subWindowList().size(), 1);
}

TEST_P(MainWindowTest, TheWaitWindowStaysUpUntilTheOutermostWorkEnds) {
  auto* wait = window().findChild<QWidget*>(QStringLiteral("waitWindow"));
  ASSERT_NE(wait, nullptr);
  host().GlobalCall("Wait_frm", "Start", nullptr);
  host().GlobalCall("Wait_frm", "Start", nullptr);
  EXPECT_TRUE(wait->isVisible());
  SaveScreenshot(*wait, "desktop_wait_window");
  host().GlobalCall("Wait_frm", "Stop", nullptr);
  EXPECT_TRUE(wait->isVisible());
  host().GlobalCall("Wait_frm", "Stop", nullptr);
  EXPECT_FALSE(wait->isVisible());
  host().GlobalCall("Wait_frm", "Stop", nullptr);  // one stop too many changes nothing
  host().GlobalCall("Wait_frm", "Start", nullptr);
  EXPECT_TRUE(wait->isVisible());
  host().GlobalCall("Wait_frm", "Stop", nullptr);
}

TEST_P(MainWindowTest, TheCalculatorCommandOpensTheBuiltInCalculatorWithoutACalculatorProgram) {
  ASSERT_TRUE(host().registry().IsRegistered("SHOWCALCULATOR"));
  // No desktop calculator program can be found, so the built-in one opens, once.
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", "");
  host().GlobalCall("SHOWCALCULATOR", "", nullptr);
  host().GlobalCall("showcalculator", "", nullptr);
  qputenv("PATH", path);
  const QList<desktop::CalculatorDialog*> open = window().findChildren<desktop::CalculatorDialog*>();
  ASSERT_EQ(open.size(), 1);
  EXPECT_TRUE(open.front()->isVisible());
  open.front()->close();
}

// 计算 in the modal voucher screen opens the calculator in front of it, and
// 填入 puts the figure into the current amount cell.
TEST_P(MainWindowTest, TheVoucherScreensCalculatorOpensInFrontAndFillsTheAmountCell) {
  bool computed = false;
  WhenModalAppears([&](QWidget& shown) {
    auto* screen = dynamic_cast<vouchers::VoucherScreen*>(&shown);
    if (screen == nullptr) {
      ADD_FAILURE() << "the voucher screen did not open";
      shown.close();
      return;
    }
    vouchers::VoucherGrid& grid = *screen->grid();
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.cellRect(0, vouchers::Column::Debit).center());
    ASSERT_EQ(screen->model().currentColumn(), vouchers::Column::Debit);
    WhenModalAppears(
        [&](QWidget& calculator) {
          ASSERT_NE(qobject_cast<desktop::CalculatorDialog*>(&calculator), nullptr);
          EXPECT_EQ(QApplication::activeModalWidget(), &calculator) << "the calculator takes the keyboard";
          EXPECT_EQ(calculator.parentWidget(), screen) << "it stands in front of the voucher screen";
          QTest::keyClicks(&calculator, QStringLiteral("12.5*3"));
          SaveScreenshot(calculator, "desktop_calculator_over_voucher");
          QTest::mouseClick(calculator.findChild<QPushButton*>(QStringLiteral("useResult")), Qt::LeftButton);
        },
        screen);
    ButtonNamed(*screen, QStringLiteral("计算"))->click();
    EXPECT_EQ(screen->model().lines().at(0).debit, Money::parse("37.50"));
    computed = true;
    WhenModalAppears(
        [](QWidget& question) {
          for (QAbstractButton* button : question.findChildren<QAbstractButton*>())
            if (button->text().startsWith(QStringLiteral("否"))) button->click();
        },
        screen);
    screen->close();
  });
  action("VOUCHERVOICE_FRM")->trigger();
  EXPECT_TRUE(computed);
  EXPECT_FALSE(host().FormIsExist("VoucherVoice_Frm"));
}

TEST_P(MainWindowTest, TheVoucherScreenOpensFromTheMenuAndItsCalculatorButtonReachesTheDesktop) {
  QAction* entry = action("VOUCHERVOICE_FRM");
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->isEnabled()) << "the package has the voucher screen";
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", "");  // the built-in calculator, whatever this machine has installed
  bool shown = false;
  WhenModalAppears([&](QWidget& screen) {
    shown = true;
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("凭证登记"));
    EXPECT_NE(screen.findChild<QWidget*>(QStringLiteral("voucherGrid")), nullptr);
    EXPECT_TRUE(host().FormIsExist("VoucherVoice_Frm"));
    SaveScreenshot(screen, "desktop_voucher_screen");
    WhenModalAppears([](QWidget& calculator) { calculator.close(); }, &screen);
    ButtonNamed(screen, QStringLiteral("计算"))->click();
    screen.close();  // nothing typed: it closes without asking
  });
  entry->trigger();
  qputenv("PATH", path);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(host().FormIsExist("VoucherVoice_Frm"));
  const auto entries = log();
  EXPECT_NE(std::find(entries.begin(), entries.end(), std::pair<int, std::string>{201, "凭证登记"}), entries.end());
}

TEST_P(MainWindowTest, TheCashFlowMenusOpenTheOpeningDataAndTheHostsItemArchive) {
  QAction* opening = action("CASHFLUXIONINIT_FRM");
  QAction* archive = action("OVOFLUXIONARCHIVES_FRM");
  ASSERT_TRUE(opening && archive);
  ASSERT_TRUE(opening->isEnabled() && archive->isEnabled());
  int months = 0;
  WhenModalAppears([&](QWidget& screen) {
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("现金流量初始数据"));
    months = screen.findChild<QListWidget*>(QStringLiteral("monthList"))->count();
    screen.close();
  });
  opening->trigger();
  EXPECT_EQ(months, 6) << "a book started in July";
  bool shown = false;
  WhenModalAppears([&](QWidget& screen) {
    shown = true;
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("现金流量项目"));
    EXPECT_NE(screen.findChild<QTreeWidget*>(QStringLiteral("itemTree")), nullptr);
    screen.close();
  });
  archive->trigger();
  EXPECT_TRUE(shown);
}

class DesktopCourseTest : public DesktopTest {};

class LimitedUserTest : public DesktopTest {};
QJ_DESKTOP_ON_EVERY_ENGINE(LimitedUserTest);

// A clerk who may only enter vouchers sees the other screens grey, each
// saying why; a screen this build lacks says so too.
TEST_P(LimitedUserTest, MenusOfScreensTheUserMayNotOpenAreGreyWithTheReason) {
  {
    auto session = host::BookSession::Open(location());
    host::UserStore users(session->db());
    users.add("出纳", "pw");
    users.grant("出纳", 58, 1);
  }
  desktop::LoginModel login;
  ASSERT_EQ(login.logIn(location(), "出纳", "pw"), desktop::LoginStep::Done);
  desktop::DialogMessageBoxes boxes;
  desktop::Workspace workspace(login.take(), boxes);
  const auto entry = [&](const char* key) { return workspace.window().findChild<QAction*>(QString::fromLatin1(key)); };
  EXPECT_TRUE(entry("VOUCHERVOICE_FRM")->isEnabled());
  EXPECT_FALSE(entry("FRMVOUAUADI")->isEnabled());
  EXPECT_EQ(entry("FRMVOUAUADI")->toolTip(), QStringLiteral("你没有“凭证审核”的“打开”权限，请与系统管理员联系。"));
  EXPECT_FALSE(entry("VOUCHERLOGONACCOUNT_FRM")->isEnabled());
  EXPECT_EQ(entry("VOUCHERLOGONACCOUNT_FRM")->toolTip(),
            QStringLiteral("你没有“凭证登帐”的“执行”权限，请与系统管理员联系。"));
  workspace.window().offerScreens([](const std::string& key) { return key != "MULTICOLUMNACCOUNT_FRM"; });
  EXPECT_FALSE(entry("MULTICOLUMNACCOUNT_FRM")->isEnabled());
  EXPECT_EQ(entry("MULTICOLUMNACCOUNT_FRM")->toolTip(), QStringLiteral("本版本尚未提供此功能。"));
  EXPECT_TRUE(entry("VOUCHERVOICE_FRM")->isEnabled());
}
QJ_DESKTOP_ON_EVERY_ENGINE(DesktopCourseTest);

TEST_P(DesktopCourseTest, SwitchingBooksClosesEverythingAndLogsInAgain) {
  {
    auto session = host::BookSession::Open(location());
    host::UserStore(session->db()).setPassword(host::kAdministrator, "pw");
  }
  auto logIn = [](QWidget& dialog) {
    auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("password"));
    ASSERT_NE(password, nullptr);
    QTest::keyClicks(password, QStringLiteral("pw"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("logIn")), Qt::LeftButton);
  };
  desktop::Desktop desktop(settings(), qLocation());
  QSignalSpy finished(&desktop, &desktop::Desktop::finished);
  WhenModalAppears(logIn);
  ASSERT_TRUE(desktop.start());
  ASSERT_NE(desktop.workspace(), nullptr);
  QPointer<desktop::MainWindow> first = &desktop.workspace()->window();
  first->findChild<QAction*>(QStringLiteral("hostLog"))->trigger();
  first->findChild<QAction*>(QStringLiteral("switchBook"))->trigger();

  WhenModalAppears([&](QWidget& dialog) {
    SaveScreenshot(dialog, "desktop_switch_book");
    logIn(dialog);
  });
  QCoreApplication::processEvents();
  ASSERT_NE(desktop.workspace(), nullptr);
  desktop::MainWindow& window = desktop.workspace()->window();
  EXPECT_TRUE(first.isNull());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(finished.count(), 0);

  window.findChild<QAction*>(QStringLiteral("exit"))->trigger();
  EXPECT_EQ(finished.count(), 1);
}

}  // namespace
}  // namespace qj::test
