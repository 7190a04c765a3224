// The chart-of-accounts maintenance screen on its real widgets.
#include "subjects/widgets/subject_archives_widget.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <fstream>

#include "chart_widget_fixture.h"
#include "package/widgets/screen_catalog.h"
#include "subjects/widgets/chart_screens.h"
#include "subjects/widgets/subject_print_window.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

using subjects::SubjectArchivesWidget;

class SubjectArchivesScreen : public ChartWidgetTest {
 protected:
  SubjectArchivesWidget& opened() {
    dialog_ = subjects::MakeSubjectArchivesDialog(host());
    dialog_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog_.get()));
    return *dialog_->findChild<SubjectArchivesWidget*>();
  }
  static void Select(SubjectArchivesWidget& screen, const std::string& code) {
    screen.chart()->tree()->setCurrentItem(Item(*screen.chart(), code));
  }
  static void Deliver() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  std::unique_ptr<QDialog> dialog_;
};
INSTANTIATE_TEST_SUITE_P(Engines, SubjectArchivesScreen, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(SubjectArchivesScreen, OpensModallyFromTheMenuWithTheChartByClass) {
  package::RegisterBuiltScreens();
  WhenModal([this](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("会计科目"));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto& chart = *dialog.findChild<subjects::ChartView*>();
    EXPECT_EQ(chart.tree()->topLevelItemCount(), count("SELECT COUNT(*) FROM Subject WHERE SUBJECTID LIKE '1__'"));
    EXPECT_EQ(chart.tree()->currentItem()->text(0), QStringLiteral("101 现金"));
    EXPECT_EQ(Item(chart, "10901")->parent(), Item(chart, "109"));
    SaveScreenshot(dialog, "subject_archives");
    chart.tabs()->setCurrentIndex(4);
    EXPECT_EQ(chart.tree()->topLevelItem(0)->text(0), QStringLiteral("501 主营业务收入"));
  });
  call("SHOWFINANCEFORM", {}, "FRMSUBJECT1");
  EXPECT_EQ(host().log, (std::vector<std::pair<int, std::string>>{{200, "会计科目"}, {201, "会计科目"}}));
  EXPECT_EQ(host().toolbar.size(), 10u);  // switched off when the screen became active
}

TEST_P(SubjectArchivesScreen, AddsAChildThroughTheDialogAndRefusesAnEmptyName) {
  SubjectArchivesWidget& screen = opened();
  Select(screen, "112");
  Click(screen, QStringLiteral("新增下级"));
  subjects::SubjectDialog* dialog = screen.subjectDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("新增科目"));
  EXPECT_EQ(dialog->segmentEdit()->text(), QStringLiteral("01"));
  // The parent's direction is chosen already, and Tab reaches it after the name.
  ASSERT_NE(dialog->directionGroup()->checkedButton(), nullptr);
  EXPECT_EQ(dialog->directionGroup()->checkedButton()->text(), QStringLiteral("借方"));
  QWidget* helpCode = dialog->nameEdit()->nextInFocusChain();
  EXPECT_EQ(helpCode->nextInFocusChain(), dialog->directionGroup()->checkedButton());
  Click(*dialog, QStringLiteral("确定"));
  EXPECT_EQ(lastMessage(), "科目名称不可为空");
  ASSERT_TRUE(dialog->isVisible());

  dialog->nameEdit()->setText(QStringLiteral("商业承兑汇票"));
  QTest::mouseClick(dialog->directionGroup()->button(1), Qt::LeftButton);
  SaveScreenshot(*dialog, "subject_add_dialog");
  Click(*dialog, QStringLiteral("确定"));
  Deliver();
  EXPECT_EQ(screen.subjectDialog(), nullptr);
  QTreeWidgetItem* added = Item(*screen.chart(), "11201");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->parent(), Item(*screen.chart(), "112"));
  EXPECT_EQ(screen.chart()->tree()->currentItem(), added);
  EXPECT_EQ(text("SELECT NAME || DCFLAG FROM Subject WHERE SUBJECTID='11201'"), "商业承兑汇票T");
  EXPECT_EQ(detailFlag("112"), "F");
}

TEST_P(SubjectArchivesScreen, InsertAndEnterOpenTheSiblingAndModifyDialogs) {
  SubjectArchivesWidget& screen = opened();
  Select(screen, "112");
  QTest::keyClick(screen.chart()->tree(), Qt::Key_Insert);
  ASSERT_NE(screen.subjectDialog(), nullptr);
  EXPECT_EQ(screen.subjectDialog()->windowTitle(), QStringLiteral("新增科目"));
  QTest::keyClick(screen.subjectDialog(), Qt::Key_Escape);
  Deliver();
  EXPECT_EQ(screen.model().dialog(), nullptr);  // cancelling closed the model's dialog too
  QTest::keyClick(screen.chart()->tree(), Qt::Key_Return);
  ASSERT_NE(screen.subjectDialog(), nullptr);
  EXPECT_EQ(screen.subjectDialog()->nameEdit()->text(), QStringLiteral("应收票据"));
}

TEST_P(SubjectArchivesScreen, DeleteKeyIsRefusedForAReservedSubjectAndDeletesALeafOnYes) {
  SubjectArchivesWidget& screen = opened();
  Select(screen, "101");
  QTest::keyClick(screen.chart()->tree(), Qt::Key_Delete);
  EXPECT_EQ(lastMessage(), "该科目被系统保留，不能被删除");
  EXPECT_NE(Item(*screen.chart(), "101"), nullptr);

  Select(screen, "10902");
  answerYes();
  Click(screen, QStringLiteral("删除"));
  EXPECT_EQ(Item(*screen.chart(), "10902"), nullptr);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE SUBJECTID='10902'"), 0);
  EXPECT_EQ(screen.chart()->tree()->currentItem(), Item(*screen.chart(), "109"));
}

TEST_P(SubjectArchivesScreen, CustomerSubAccountIsNamedAfterTheChosenCustomer) {
  host().book.SubjectRuleFlag = false;
  db().execute("INSERT INTO CLIENT (ClientID, Abbreviation) VALUES (3, '百货大楼'), (5, '五金商行')");
  SubjectArchivesWidget& screen = opened();
  Select(screen, "113");
  Click(screen, QStringLiteral("新增下级"));
  subjects::SubjectDialog* dialog = screen.subjectDialog();
  ASSERT_TRUE(dialog && dialog->counterpartyBox());
  dialog->counterpartyBox()->setCurrentIndex(2);
  EXPECT_EQ(dialog->nameEdit()->text(), QStringLiteral("五金商行"));
  QTest::mouseClick(dialog->directionGroup()->button(1), Qt::LeftButton);
  Click(*dialog, QStringLiteral("确定"));
  EXPECT_EQ(text("SELECT SUBJECTID FROM Subject WHERE RELEVANTID=11300005"), "11301");
  EXPECT_NE(Item(*screen.chart(), "11301"), nullptr);
}

TEST_P(SubjectArchivesScreen, PrintsTheShownClassFromItsListWindowAndTellsWhyAnExportFails) {
  SubjectArchivesWidget& screen = opened();
  screen.chart()->tabs()->setCurrentIndex(4);
  Click(screen, QStringLiteral("打印"));
  base::ListWindow* list = screen.printList();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
  SaveScreenshot(*list, "subject_print_list");
  EXPECT_EQ(list->windowTitle(), QStringLiteral("会计科目（损益类）"));
  const auto& rows = list->data().rows;
  ASSERT_EQ(static_cast<long long>(rows.size()), count("SELECT COUNT(*) FROM Subject WHERE SUBJECTID LIKE '5%'"));
  EXPECT_EQ(printing::CellText(printing::CellAt(rows.front(), 0)), "501");
  EXPECT_EQ(printing::CellText(printing::CellAt(rows.front(), 1)), "主营业务收入");

  QTemporaryDir folder;
  const QString xlsx = folder.filePath(QStringLiteral("科目.xlsx"));
  Click(*list, QStringLiteral("导出"));
  ASSERT_NE(list->exportDialog(), nullptr);
  list->exportDialog()->selectFile(xlsx);
  static_cast<QDialog*>(list->exportDialog())->accept();  // the dialog's 保存
  std::string magic(2, '\0');
  std::ifstream(xlsx.toStdString(), std::ios::binary).read(magic.data(), 2);
  EXPECT_EQ(magic, "PK");  // a workbook is a zip file

  EXPECT_FALSE(base::ExportList(host(), {subjects::kSubjectListReportType, "会计科目", list->data(), {}},
                                folder.filePath("无/科目.xlsx").toStdString()));
  EXPECT_EQ(host().messages.back().caption, "出错信息");
  EXPECT_TRUE(lastMessage().starts_with("无法写入文件")) << lastMessage();
  list->close();
  Deliver();
  EXPECT_EQ(screen.printList(), nullptr);
}

}  // namespace
}  // namespace qj::test
