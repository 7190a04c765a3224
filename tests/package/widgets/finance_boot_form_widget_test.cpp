#include "base/widgets/finance_boot_form_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "support/package_fixture.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

class ScreenBaseWidget : public PackageTest {};
INSTANTIATE_TEST_SUITE_P(Engines, ScreenBaseWidget, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(ScreenBaseWidget, AChildScreenLogsItsLifeSwitchesOffTheToolbarAndStaysInsideTheMainWindow) {
  QMainWindow main;
  auto* area = new QMdiArea(&main);
  main.setCentralWidget(area);
  main.resize(1000, 800);
  main.show();
  host().mainWindow = &main;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

  auto* screen = new base::FinanceBootFormWidget(host(), "DiaryList_Frm", "现金日记帐");
  QMdiSubWindow* frame = area->addSubWindow(screen);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  frame->resize(600, 300);
  frame->show();
  area->setActiveSubWindow(frame);
  QTest::qWait(20);
  EXPECT_EQ(host().log.size(), 1u);
  EXPECT_TRUE(host().FormIsExist("DiaryList_Frm"));

  frame->resize(600, 790);  // nearly the main window's height
  EXPECT_EQ(frame->y(), 0);
  EXPECT_EQ(frame->height(), 730);
  SaveScreenshot(main, "screen_base_child");

  frame->close();
  QTest::qWait(20);
  EXPECT_EQ(host().log, (std::vector<std::pair<int, std::string>>{{200, "现金日记帐"}, {201, "现金日记帐"}}));
  EXPECT_FALSE(host().FormIsExist("DiaryList_Frm"));
  host().mainWindow = nullptr;
}

TEST_P(ScreenBaseWidget, OnlyTheActiveScreenSwitchesOffTheToolbar) {
  QMainWindow main;
  auto* area = new QMdiArea(&main);
  main.setCentralWidget(area);
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  auto* journal = new base::FinanceBootFormWidget(host(), "DiaryList_Frm", "现金日记帐");
  auto* ledger = new base::FinanceBootFormWidget(host(), "DetailTypeList_Frm", "明细分类帐");
  area->addSubWindow(journal)->show();
  QMdiSubWindow* active = area->addSubWindow(ledger);
  active->show();
  area->setActiveSubWindow(active);
  host().toolbar.clear();
  // The main window becoming active tells both; only the active screen answers.
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(journal, &activate);
  EXPECT_TRUE(host().toolbar.empty());
  QApplication::sendEvent(ledger, &activate);
  EXPECT_EQ(host().toolbar.size(), 10u);
}

}  // namespace
}  // namespace qj::test
