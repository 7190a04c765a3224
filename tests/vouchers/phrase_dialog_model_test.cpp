// The two edit dialogs: store and close, store and add the next, only-when-changed,
// and a failing store that keeps what the user typed.
#include <gtest/gtest.h>

#include "phrase_fixture.h"
#include "vouchers/phrase_dialog_model.h"
#include "vouchers/phrase_type_dialog_model.h"

namespace qj::test {
namespace {

using vouchers::Phrase;
using vouchers::PhraseDialogModel;
using vouchers::PhraseTypeDialogModel;

class PhraseDialogs : public PhraseTest {
 protected:
  void SetUp() override {
    PhraseTest::SetUp();
    library();
    nextKeyAfter(50);
  }
};
QJ_ON_EVERY_ENGINE(PhraseDialogs);

TEST_P(PhraseDialogs, TypeDialogAddsOneAfterAnotherAndRefusesABlankName) {
  PhraseTypeDialogModel dialog(host(), std::nullopt);
  dialog.setName("  ");
  EXPECT_FALSE(dialog.storeAndAddNext());
  EXPECT_EQ(lastMessage().text, "摘要类别不可为空！");
  EXPECT_EQ(lastMessage().caption, "提示");
  EXPECT_EQ(dialog.name(), "  ");  // kept for the user to correct

  dialog.setName(" 往来 ");
  ASSERT_TRUE(dialog.storeAndAddNext());
  EXPECT_TRUE(dialog.adding());
  EXPECT_EQ(dialog.name(), "");
  dialog.setName("工资");
  ASSERT_TRUE(dialog.confirm());
  EXPECT_EQ(dialog.lastStored(), (vouchers::PhraseType{52, "工资"}));
  EXPECT_EQ(storedTypes(), (std::vector<std::string>{"1:银行", "2:费用", "51:往来", "52:工资"}));
}

TEST_P(PhraseDialogs, TypeNameKeepsThirtyTwoCharacters) {
  PhraseTypeDialogModel dialog(host(), vouchers::PhraseType{1, "银行"});
  std::string longName;
  for (int i = 0; i < 40; ++i) longName += "类";
  dialog.setName(longName);
  ASSERT_TRUE(dialog.confirm());
  EXPECT_EQ(count("SELECT COUNT(*) FROM PrecisType WHERE PrecisTYPEID=1 AND TYPENAME=:n",
                  {{"n", longName.substr(0, 32 * 3)}}),
            1);
}

TEST_P(PhraseDialogs, PhraseDialogStoresOnlyAChangeAndAddNextStartsAFreshPhraseOfThePresetType) {
  auto modify = PhraseDialogModel::ForModify(host(), Phrase{1, 11, "存款", ""});
  EXPECT_FALSE(modify.changed());
  failOn("Precis", "UPDATE");  // an unchanged phrase is not written at all
  EXPECT_TRUE(modify.confirm());
  EXPECT_TRUE(host().databaseErrors.empty());
  heal("Precis");

  auto add = PhraseDialogModel::ForAdd(host(), 2);
  EXPECT_EQ(add.types().size(), 2u);
  EXPECT_TRUE(add.confirm());  // nothing typed: closes, nothing stored
  EXPECT_EQ(storedPhrases().size(), 4u);
  add.setName("办公费");
  add.setHelpCode("bgf-too-long-code");
  ASSERT_TRUE(add.storeAndAddNext());
  EXPECT_EQ(add.draft(), (vouchers::PhraseDraft{2, "", ""}));
  add.setName("水电费");
  add.setType(1);
  ASSERT_TRUE(add.confirm());
  EXPECT_EQ(add.lastStored(), (Phrase{1, 52, "水电费", ""}));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Precis WHERE PrecisID=51 AND PrecisTYPEID=2 AND HELPCODE='bgf-too-lo'"), 1);
  EXPECT_EQ(host().messages.size(), 0u);
}

TEST_P(PhraseDialogs, AFailingStoreRollsBackAndKeepsWhatTheUserTyped) {
  auto dialog = PhraseDialogModel::ForModify(host(), Phrase{1, 11, "存款", ""});
  dialog.setName("现金存款");
  dialog.setType(2);
  failOn("Precis", "UPDATE");
  EXPECT_FALSE(dialog.confirm());
  EXPECT_EQ(host().databaseErrors.size(), 1u);
  EXPECT_FALSE(db().inTransaction());
  EXPECT_EQ(dialog.draft(), (vouchers::PhraseDraft{2, "现金存款", ""}));
  EXPECT_TRUE(dialog.changed());
  heal("Precis");
  ASSERT_TRUE(dialog.confirm());  // the same row, not a new one
  EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"1:10:提现", "2:11:现金存款", "2:20:提现", "2:21:差旅费"}));

  PhraseTypeDialogModel type(host(), std::nullopt);
  type.setName("税金");
  failOn("PrecisType", "INSERT");
  EXPECT_FALSE(type.confirm());
  EXPECT_EQ(host().databaseErrors.size(), 2u);
  EXPECT_EQ(type.name(), "税金");
  EXPECT_TRUE(type.adding());
  heal("PrecisType");
  ASSERT_TRUE(type.confirm());
  EXPECT_EQ(storedTypes().back(), "52:税金");  // the failed attempt's key is spent, never reused
}

TEST_P(PhraseDialogs, AChangeToAPhraseThatCameIntoUseMeanwhileIsRefused) {
  auto dialog = PhraseDialogModel::ForModify(host(), Phrase{1, 11, "存款", ""});
  lineWithSummary("存款");  // another user saved a voucher with it
  dialog.setName("存现");
  EXPECT_FALSE(dialog.confirm());
  EXPECT_EQ(lastMessage().text, "该记录已被使用，不能修改!");
  EXPECT_EQ(dialog.draft().name, "存现");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Precis WHERE PrecisNAME='存款'"), 1);
}

}  // namespace
}  // namespace qj::test
