// The subject chooser on its real widgets, opened by GETASSUBCODE.
#include "subjects/widgets/subject_chooser_widget.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabBar>

#include "chart_widget_fixture.h"
#include "package/widgets/screen_catalog.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

using subjects::SubjectChooserWidget;

class SubjectChooserScreen : public ChartWidgetTest {
 protected:
  void SetUp() override {
    ChartWidgetTest::SetUp();
    package::RegisterBuiltScreens();
  }
  // GETASSUBCODE with `inside` run on the chooser while it shows.
  VorParams choose(const std::function<void(SubjectChooserWidget&)>& inside) {
    WhenModal([inside](QDialog& dialog) {
      if (auto* chooser = dialog.findChild<SubjectChooserWidget*>()) inside(*chooser);
    });
    return call("GETASSUBCODE");
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, SubjectChooserScreen, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(SubjectChooserScreen, SearchFindsTheSubjectAndOkReturnsItsCode) {
  const VorParams bag = choose([this](SubjectChooserWidget& chooser) {
    EXPECT_TRUE(host().FormIsExist("SubjectInfo_Frm"));
    chooser.searchEdit()->setText(QStringLiteral("应付"));  // 应付票据, 应付账款, 应付工资, ...
    EXPECT_EQ(chooser.chart()->tabs()->currentIndex(), 1);
    EXPECT_EQ(chooser.chart()->tree()->currentItem()->text(0), QStringLiteral("202 应付票据"));
    QTest::keyClick(chooser.searchEdit(), Qt::Key_F3);
    EXPECT_EQ(chooser.chart()->tree()->currentItem()->text(0), QStringLiteral("203 应付账款"));
    QCoreApplication::processEvents();  // lays out the match count before the picture
    SaveScreenshot(*chooser.window(), "subject_chooser");
    QTest::mouseClick(chooser.okButton(), Qt::LeftButton);
  });
  EXPECT_EQ(bag.GetValue("asSubCode"), VorParams::Variant(std::string("203")));
  EXPECT_EQ(host().log, (std::vector<std::pair<int, std::string>>{{200, "选择会计科目"}, {201, "选择会计科目"}}));
}

TEST_P(SubjectChooserScreen, EnterOnTheTreeChoosesAndEscapeCancelsToTheEmptyString) {
  VorParams bag = choose([](SubjectChooserWidget& chooser) {
    chooser.chart()->tabs()->setCurrentIndex(4);
    chooser.chart()->tree()->setCurrentItem(Item(*chooser.chart(), "502"));
    QTest::keyClick(chooser.chart()->tree(), Qt::Key_Return);
  });
  EXPECT_EQ(bag.GetValue("asSubCode"), VorParams::Variant(std::string("502")));

  bag = choose([](SubjectChooserWidget& chooser) {
    chooser.chart()->tree()->setCurrentItem(Item(*chooser.chart(), "102"));
    QTest::keyClick(chooser.searchEdit(), Qt::Key_Escape);
  });
  ASSERT_TRUE(bag.Has("asSubCode"));
  EXPECT_EQ(bag.GetValue("asSubCode"), VorParams::Variant(std::string()));
}

}  // namespace
}  // namespace qj::test
