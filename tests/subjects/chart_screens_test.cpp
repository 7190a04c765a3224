// The chart screens' models without a display: the tree by class, the
// maintenance screen's buttons and dialogs, and the chooser's search.
#include <gtest/gtest.h>

#include "subjects/chart_fixture.h"
#include "subjects/subject_archives_model.h"
#include "subjects/subject_chooser_model.h"

namespace qj::test {
namespace {

using subjects::SubjectTree;

subjects::Subject named(const std::string& code) {
  subjects::Subject s;
  s.code = code;
  s.name = "科目" + code;
  return s;
}

TEST(SubjectTree, PlacesCodesByLengthAndLeavesOutWhatFitsNowhere) {
  const auto tree = SubjectTree::Build({named("10101"), named("1010101"), named("10102"), named("102")});
  // 10101 came first without its parent, so a level-1 code after it fits nowhere.
  EXPECT_EQ(tree.misfits(), std::vector<std::string>{"102"});
  EXPECT_EQ(tree.roots().size(), 2U);
  const auto good = SubjectTree::Build({named("101"), named("10101"), named("1010101"), named("10102"), named("102")});
  ASSERT_EQ(good.roots().size(), 2U);
  const auto& nodes = good.nodes();
  EXPECT_EQ(nodes[static_cast<std::size_t>(*good.find("1010101"))].parent, *good.find("10101"));
  EXPECT_EQ(nodes[static_cast<std::size_t>(*good.find("10102"))].parent, *good.find("101"));
  EXPECT_EQ(nodes[static_cast<std::size_t>(*good.find("102"))].parent, -1);
  EXPECT_EQ(nodes[0].label(), "101 科目101");
}

class ChartScreens : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    subject("101", false);
    subject("10101");
    subject("102");
    subject("501");
    db().execute("UPDATE Subject SET HELPCODE='XJ' WHERE SUBJECTID='10101'");
    db().execute("UPDATE Subject SET NAME='主营业务收入' WHERE SUBJECTID='501'");
  }
};
QJ_ON_EVERY_ENGINE(ChartScreens);

TEST_P(ChartScreens, MaintenanceAddsModifiesAndDeletesThroughItsDialogs) {
  subjects::SubjectArchivesModel screen(host());
  EXPECT_EQ(screen.selected(), "101");
  EXPECT_EQ(screen.tree().roots().size(), 2U);
  screen.select("102");
  screen.addChild();
  auto* dialog = screen.dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->caption(), "新增科目");
  EXPECT_EQ(dialog->code(), "10201");
  EXPECT_EQ(dialog->draft().debit, std::optional<bool>(true)) << "a sub-account starts with its parent's direction";
  screen.confirmDialog();
  EXPECT_EQ(lastMessage(), "科目名称不可为空");
  ASSERT_NE(screen.dialog(), nullptr);  // a refusal keeps the dialog open
  screen.dialog()->setName("工商银行");
  screen.dialog()->setForeignCurrency(subjects::foreign::All);
  screen.confirmDialog();
  EXPECT_EQ(screen.dialog(), nullptr);
  EXPECT_EQ(screen.selected(), "10201");
  EXPECT_EQ(detailFlag("102"), "F");

  screen.keyPressed(subjects::SubjectArchivesModel::Key::Enter);
  ASSERT_NE(screen.dialog(), nullptr);
  EXPECT_EQ(screen.dialog()->caption(), "修改科目");
  EXPECT_EQ(screen.dialog()->prefix(), "102");
  EXPECT_EQ(screen.dialog()->draft().name, "工商银行");
  screen.dialog()->setSegment("05");
  screen.confirmDialog();
  EXPECT_EQ(screen.selected(), "10205");

  answerYes();
  screen.keyPressed(subjects::SubjectArchivesModel::Key::Delete);
  EXPECT_EQ(screen.selected(), "102");
  EXPECT_FALSE(screen.tree().find("10205"));
  EXPECT_EQ(detailFlag("102"), "T");

  screen.showClass(5);
  EXPECT_EQ(screen.selected(), "501");
  const auto printed = screen.printList();
  ASSERT_TRUE(printed);
  EXPECT_EQ(printed->rows, (std::vector<std::vector<std::string>>{{"501", "主营业务收入", "借", "否", "否", ""}}));
  screen.showClass(3);
  EXPECT_TRUE(screen.tree().empty());
  screen.addSibling();  // the first subject of an empty class
  ASSERT_NE(screen.dialog(), nullptr);
  EXPECT_EQ(screen.dialog()->code(), "301");
}

TEST_P(ChartScreens, CounterpartyDialogNamesTheSubAccountAfterTheCustomer) {
  host().book.SubjectRuleFlag = false;
  subject("113", true, 0, 113);
  db().execute("INSERT INTO CLIENT (ClientID, Abbreviation) VALUES (7, '百货大楼')");
  subjects::SubjectArchivesModel screen(host());
  screen.select("113");
  screen.addChild();
  ASSERT_NE(screen.dialog(), nullptr);
  EXPECT_EQ(screen.dialog()->caption(), "新增往来科目");
  screen.dialog()->chooseCounterparty(7);
  screen.dialog()->setDirection(true);
  screen.confirmDialog();
  EXPECT_EQ(screen.selected(), "11301");
  EXPECT_EQ(text("SELECT NAME FROM Subject WHERE RELEVANTID=11300007"), "百货大楼");
}

TEST_P(ChartScreens, ChooserSearchesCodesHelpCodesAndNames) {
  subjects::SubjectChooserModel chooser(host());
  chooser.setSearch("5");
  EXPECT_EQ(chooser.shownClass(), 5);
  EXPECT_EQ(chooser.selected(), "501");
  chooser.setSearch("xj");
  EXPECT_EQ(chooser.selected(), "10101");
  EXPECT_EQ(chooser.shownClass(), 1);
  chooser.setSearch("科目10");
  EXPECT_EQ(chooser.matches(), (std::vector<std::string>{"101", "10101", "102"}));
  chooser.keyPressed(subjects::SubjectChooserModel::Key::F3);
  EXPECT_EQ(chooser.selected(), "10101");
  chooser.keyPressed(subjects::SubjectChooserModel::Key::Enter);
  EXPECT_EQ(chooser.result(), std::optional<std::string>("10101"));
  chooser.showClass(4);
  EXPECT_FALSE(chooser.confirm());
  EXPECT_EQ(lastMessage(), "请先选择一个科目");
}

}  // namespace
}  // namespace qj::test
