// The phrase screen's model: the lists, the buttons' privileges and refusals,
// the delete-type question, choosing.
#include <gtest/gtest.h>

#include "phrase_fixture.h"
#include "vouchers/phrase_screen_model.h"

namespace qj::test {
namespace {

using vouchers::PhraseScreenModel;

class PhraseScreen : public PhraseTest {
 protected:
  void SetUp() override {
    PhraseTest::SetUp();
    library();
  }
  // Makes the type of that name current.
  static void SelectType(PhraseScreenModel& screen, const std::string& name) {
    for (std::size_t i = 0; i < screen.types().size(); ++i)
      if (screen.types()[i].name == name) return screen.selectType(i);
    ADD_FAILURE() << "no type " << name;
  }
  static void SelectPhrase(PhraseScreenModel& screen, const std::string& text) {
    for (std::size_t i = 0; i < screen.phrases().size(); ++i)
      if (screen.phrases()[i].name == text) return screen.selectPhrase(i);
    ADD_FAILURE() << "no phrase " << text;
  }
  static std::string Current(const PhraseScreenModel& screen) {
    return screen.currentPhrase() ? screen.phrases()[*screen.currentPhrase()].name : std::string("<none>");
  }
};
QJ_ON_EVERY_ENGINE(PhraseScreen);

TEST_P(PhraseScreen, OpensOnEveryPhraseAndATypeShowsOnlyItsOwn) {
  PhraseScreenModel screen(host());
  ASSERT_EQ(screen.types().size(), 3u);
  EXPECT_EQ(screen.types()[0].name, "全部摘要");
  EXPECT_EQ(screen.types()[1].name, "费用");
  EXPECT_EQ(Texts(screen.phrases()), (std::vector<std::string>{"存款", "差旅费", "提现", "提现"}));
  EXPECT_EQ(Current(screen), "存款");
  SelectType(screen, "银行");
  EXPECT_EQ(Texts(screen.phrases()), (std::vector<std::string>{"存款", "提现"}));
  SelectType(screen, "费用");
  SelectPhrase(screen, "提现");
  ASSERT_TRUE(screen.choose());
  EXPECT_EQ(screen.result(), "提现");
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(PhraseScreen, ChoosingFromAnEmptyListChoosesNothing) {
  type(3, "空类别");
  PhraseScreenModel screen(host());
  SelectType(screen, "空类别");
  EXPECT_EQ(Current(screen), "<none>");
  EXPECT_FALSE(screen.choose());
  EXPECT_EQ(screen.result(), std::nullopt);
}

TEST_P(PhraseScreen, EveryButtonWithoutItsPrivilegeDoesNothing) {
  lineWithSummary("提现");
  host().deniedPrivileges = {{20, 2}, {20, 3}, {20, 4}};
  PhraseScreenModel screen(host());
  SelectType(screen, "银行");
  SelectPhrase(screen, "提现");  // in use: would warn with the privilege
  screen.addType();
  screen.modifyType();
  screen.addPhrase();
  screen.modifyPhrase();
  EXPECT_EQ(screen.typeDialog(), nullptr);
  EXPECT_EQ(screen.phraseDialog(), nullptr);
  screen.removePhrase();
  SelectPhrase(screen, "存款");
  screen.removePhrase();
  screen.removeType();
  EXPECT_TRUE(host().messages.empty());
  EXPECT_EQ(storedPhrases().size(), 4u);
  EXPECT_EQ(storedTypes().size(), 2u);
}

TEST_P(PhraseScreen, APhraseInUseByItsTextCanBeNeitherChangedNorDeleted) {
  lineWithSummary("提现");
  PhraseScreenModel screen(host());
  SelectType(screen, "费用");  // the voucher took its text from neither type in particular
  SelectPhrase(screen, "提现");
  screen.modifyPhrase();
  EXPECT_EQ(screen.phraseDialog(), nullptr);
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "该记录已被使用，不能修改!");
  EXPECT_EQ(host().messages[0].caption, "警告");
  screen.removePhrase();
  ASSERT_EQ(host().messages.size(), 2u);
  EXPECT_EQ(host().messages[1].text, "该记录已被使用，不能删除!");
  EXPECT_EQ(host().messages[1].caption, "错误");
  EXPECT_EQ(storedPhrases().size(), 4u);

  SelectPhrase(screen, "差旅费");
  screen.removePhrase();  // not in use: gone without a question
  EXPECT_EQ(host().messages.size(), 2u);
  EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"1:10:提现", "1:11:存款", "2:20:提现"}));
  EXPECT_EQ(Texts(screen.phrases()), (std::vector<std::string>{"提现"}));
  EXPECT_EQ(Current(screen), "提现");
}

TEST_P(PhraseScreen, DeletingATypeWithPhrasesAsksAndNoKeepsEverything) {
  PhraseScreenModel screen(host());
  SelectType(screen, "银行");
  host().answers = {msgbox::IdNo};
  screen.removeType();
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "该类别下已经有摘要存在，是否确定删除该类别");
  EXPECT_EQ(host().messages[0].caption, "询问");
  EXPECT_EQ(host().messages[0].flags, msgbox::AskYesNo);
  EXPECT_EQ(storedTypes().size(), 2u);
  EXPECT_EQ(storedPhrases().size(), 4u);
  EXPECT_EQ(screen.types()[screen.currentType()].name, "银行");

  host().answers = {msgbox::IdYes};
  screen.removeType();
  EXPECT_EQ(storedTypes(), (std::vector<std::string>{"2:费用"}));
  EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"2:20:提现", "2:21:差旅费"}));
  EXPECT_EQ(screen.types().size(), 2u);
  EXPECT_EQ(screen.currentType(), 0u);
  EXPECT_EQ(Texts(screen.phrases()), (std::vector<std::string>{"差旅费", "提现"}));
}

TEST_P(PhraseScreen, ATypeInUseIsRefusedBeforeAnyQuestionAndAnEmptyTypeGoesUnasked) {
  lineWithSummary("差旅费");
  type(3, "空类别");
  PhraseScreenModel screen(host());
  SelectType(screen, "费用");
  host().answers = {msgbox::IdYes};
  screen.removeType();
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "该记录已被使用，不能删除!");
  EXPECT_EQ(host().messages[0].caption, "错误");
  SelectType(screen, "空类别");
  screen.removeType();
  EXPECT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(storedTypes(), (std::vector<std::string>{"1:银行", "2:费用"}));

  screen.selectType(0);  // every phrase is no stored type: nothing to change or delete
  screen.modifyType();
  screen.removeType();
  EXPECT_EQ(screen.typeDialog(), nullptr);
  EXPECT_EQ(storedTypes().size(), 2u);
}

TEST_P(PhraseScreen, APhraseAddedUnderAStoredTypeBelongsToItAndUnderEveryPhraseToNone) {
  PhraseScreenModel screen(host());
  screen.addPhrase();
  ASSERT_NE(screen.phraseDialog(), nullptr);
  EXPECT_EQ(screen.phraseDialog()->draft().typeId, std::nullopt);
  screen.phraseDialog()->setName("预付货款");
  EXPECT_FALSE(screen.phraseDialog()->confirm());
  EXPECT_EQ(lastMessage().text, "摘要类别不可为空！请先在“摘要类别”栏按“增加”建立一个类别，选定它后再增加摘要。");
  EXPECT_EQ(lastMessage().caption, "提示");
  screen.dialogClosed();

  SelectType(screen, "费用");
  screen.addPhrase();
  ASSERT_NE(screen.phraseDialog(), nullptr);
  EXPECT_EQ(screen.phraseDialog()->draft().typeId, 2);
  screen.phraseDialog()->setName("办公费");
  ASSERT_TRUE(screen.phraseDialog()->confirm());
  screen.dialogClosed();
  EXPECT_EQ(Texts(screen.phrases()), (std::vector<std::string>{"办公费", "差旅费", "提现"}));
  EXPECT_EQ(Current(screen), "办公费");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Precis WHERE PrecisTYPEID=2 AND PrecisNAME='办公费'"), 1);
}

TEST_P(PhraseScreen, AStoredTypeBecomesCurrentAndAChangedOneKeepsItsPlace) {
  nextKeyAfter(99);
  PhraseScreenModel screen(host());
  screen.addType();
  ASSERT_NE(screen.typeDialog(), nullptr);
  screen.typeDialog()->setName("工资");
  ASSERT_TRUE(screen.typeDialog()->confirm());
  screen.dialogClosed();
  EXPECT_EQ(screen.types()[screen.currentType()], (vouchers::PhraseType{100, "工资"}));
  EXPECT_TRUE(screen.phrases().empty());

  SelectType(screen, "银行");
  screen.modifyType();
  ASSERT_NE(screen.typeDialog(), nullptr);
  EXPECT_EQ(screen.typeDialog()->name(), "银行");
  screen.typeDialog()->setName("银行存款");
  ASSERT_TRUE(screen.typeDialog()->confirm());
  screen.dialogClosed();
  EXPECT_EQ(screen.types()[screen.currentType()], (vouchers::PhraseType{1, "银行存款"}));
  EXPECT_EQ(Texts(screen.phrases()), (std::vector<std::string>{"存款", "提现"}));
}

TEST_P(PhraseScreen, AFailingDeleteIsReportedAndTheScreenShowsTheBookAsItIs) {
  PhraseScreenModel screen(host());
  SelectType(screen, "银行");
  failOn("Precis", "DELETE");
  screen.removePhrase();
  ASSERT_EQ(host().databaseErrors.size(), 1u);
  EXPECT_EQ(Texts(screen.phrases()), (std::vector<std::string>{"存款", "提现"}));
  host().answers = {msgbox::IdYes};
  screen.removeType();
  EXPECT_EQ(host().databaseErrors.size(), 2u);
  EXPECT_EQ(storedTypes().size(), 2u);
  EXPECT_EQ(storedPhrases().size(), 4u);
}

}  // namespace
}  // namespace qj::test
