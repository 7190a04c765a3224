// The phrase library's rules where rows are stored: use by text, keys, checks, transactions.
#include <gtest/gtest.h>

#include "phrase_fixture.h"
#include "vouchers/phrase_text.h"

namespace qj::test {
namespace {

using vouchers::Phrase;
using vouchers::PhraseDraft;
using vouchers::PhraseType;

class PhraseStore : public PhraseTest {
 protected:
  void SetUp() override {
    PhraseTest::SetUp();
    library();
  }
  template <class Result>
  static Refusal RefusalOf(const Result& result) {
    EXPECT_TRUE(std::holds_alternative<Refusal>(result));
    return std::holds_alternative<Refusal>(result) ? std::get<Refusal>(result) : Refusal{};
  }
};
QJ_ON_EVERY_ENGINE(PhraseStore);

const Phrase kBankCash{1, 10, "提现", ""};
const Phrase kExpenseCash{2, 20, "提现", ""};
const Phrase kDeposit{1, 11, "存款", ""};

TEST_P(PhraseStore, AVoucherLineUsesEveryPhraseOfItsTextWhateverTheType) {
  lineWithSummary("提现");
  lineWithSummary("存款 ");  // another text: trailing blank
  EXPECT_TRUE(vouchers::PhraseInUse(db(), kBankCash));
  EXPECT_TRUE(vouchers::PhraseInUse(db(), kExpenseCash));
  EXPECT_FALSE(vouchers::PhraseInUse(db(), kDeposit));
  EXPECT_TRUE(vouchers::PhraseTypeInUse(db(), 1));
  EXPECT_TRUE(vouchers::PhraseTypeInUse(db(), 2));
  type(3, "空类别");
  EXPECT_FALSE(vouchers::PhraseTypeInUse(db(), 3));
  EXPECT_FALSE(vouchers::PhraseTypeHasPhrases(db(), 3));

  const Refusal noDelete{"该记录已被使用，不能删除!", "错误", msgbox::IconError};
  EXPECT_EQ(vouchers::DeletePhrase(db(), kExpenseCash), noDelete);
  EXPECT_EQ(vouchers::DeletePhraseType(db(), 2), noDelete);
  const Refusal noModify{"该记录已被使用，不能修改!", "警告", msgbox::IconWarning};
  EXPECT_EQ(RefusalOf(vouchers::StorePhrase(host(), {2, "取现", ""}, kExpenseCash)), noModify);
  EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"1:10:提现", "1:11:存款", "2:20:提现", "2:21:差旅费"}));
  EXPECT_EQ(storedTypes().size(), 3u);
}

TEST_P(PhraseStore, NewTypesAndPhrasesTakeTheNextPrecisKeyAndAChangeKeepsItsKey) {
  nextKeyAfter(41);
  const auto type = vouchers::StorePhraseType(host(), "  差旅　", std::nullopt);  // ASCII and full-width blanks
  EXPECT_EQ(std::get<PhraseType>(type), (PhraseType{42, "差旅"}));
  const auto phrase = vouchers::StorePhrase(host(), {42, " 报销差旅费 ", "bxclf"}, std::nullopt);
  EXPECT_EQ(std::get<Phrase>(phrase), (Phrase{42, 43, "报销差旅费", "bxclf"}));
  EXPECT_EQ(count("SELECT KEYVALUE FROM HostKeyValue WHERE KEYNAME='PRECIS'"), 43);

  // A change keeps the key, also when the phrase moves to another type.
  EXPECT_EQ(std::get<PhraseType>(vouchers::StorePhraseType(host(), "出差", 42)), (PhraseType{42, "出差"}));
  EXPECT_EQ(std::get<Phrase>(vouchers::StorePhrase(host(), {1, "差旅借款", ""}, std::get<Phrase>(phrase))),
            (Phrase{1, 43, "差旅借款", ""}));
  EXPECT_EQ(count("SELECT KEYVALUE FROM HostKeyValue WHERE KEYNAME='PRECIS'"), 43);
  EXPECT_EQ(storedTypes(), (std::vector<std::string>{"1:银行", "2:费用", "42:出差"}));
  EXPECT_EQ(storedPhrases(),
            (std::vector<std::string>{"1:10:提现", "1:11:存款", "1:43:差旅借款", "2:20:提现", "2:21:差旅费"}));
}

TEST_P(PhraseStore, BlankNamesAreRefusedTypeBeforeTextAndNothingIsStoredOrKeyed) {
  const Refusal typeRequired{"摘要类别不可为空！", "提示"};
  const Refusal textRequired{"摘要不可为空！", "提示"};
  const Refusal phraseTypeRequired{"摘要类别不可为空！请先在“摘要类别”栏按“增加”建立一个类别，选定它后再增加摘要。",
                                   "提示"};
  EXPECT_EQ(RefusalOf(vouchers::StorePhraseType(host(), " \t　", std::nullopt)), typeRequired);
  EXPECT_EQ(RefusalOf(vouchers::StorePhraseType(host(), "", 1)), typeRequired);
  EXPECT_EQ(RefusalOf(vouchers::StorePhrase(host(), {std::nullopt, "", ""}, std::nullopt)), phraseTypeRequired);
  EXPECT_EQ(RefusalOf(vouchers::StorePhrase(host(), {std::nullopt, "提现", ""}, std::nullopt)), phraseTypeRequired);
  EXPECT_EQ(RefusalOf(vouchers::StorePhrase(host(), {1, "　 ", ""}, std::nullopt)), textRequired);
  EXPECT_EQ(storedTypes(), (std::vector<std::string>{"1:银行", "2:费用"}));
  EXPECT_EQ(storedPhrases().size(), 4u);
  EXPECT_EQ(count("SELECT COUNT(*) FROM HostKeyValue"), 0);
}

TEST_P(PhraseStore, AChangeToARowAnotherUserDeletedIsRefusedNotLost) {
  db().execute("DELETE FROM Precis WHERE PrecisID=11");
  db().execute("DELETE FROM PrecisType WHERE PrecisTYPEID=2");
  const Refusal gone{"该记录已被删除，不能修改!", "警告", msgbox::IconWarning};
  EXPECT_EQ(RefusalOf(vouchers::StorePhrase(host(), {1, "存现", ""}, kDeposit)), gone);
  EXPECT_EQ(RefusalOf(vouchers::StorePhraseType(host(), "费用类", 2)), gone);
  EXPECT_EQ(storedTypes(), (std::vector<std::string>{"1:银行"}));
  EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"1:10:提现", "2:20:提现", "2:21:差旅费"}));
}

TEST_P(PhraseStore, DeletingATypeTakesItsPhrasesInOneTransaction) {
  EXPECT_EQ(vouchers::DeletePhraseType(db(), 1), std::nullopt);
  EXPECT_EQ(storedTypes(), (std::vector<std::string>{"2:费用"}));
  EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"2:20:提现", "2:21:差旅费"}));

  failOn("PrecisType", "DELETE");
  EXPECT_THROW(vouchers::DeletePhraseType(db(), 2), data::DbError);
  EXPECT_FALSE(db().inTransaction());
  EXPECT_EQ(storedPhrases(), (std::vector<std::string>{"2:20:提现", "2:21:差旅费"}));  // rolled back with the type
}

TEST_P(PhraseStore, ListsAreInTextOrderAndANegativeTypeListsEveryPhrase) {
  phrase(1, 12, "Acme 货款");
  EXPECT_EQ(Texts(vouchers::LoadPhrases(db(), 1)), (std::vector<std::string>{"Acme 货款", "存款", "提现"}));
  EXPECT_EQ(Texts(vouchers::LoadPhrases(db(), -1)),
            (std::vector<std::string>{"Acme 货款", "存款", "差旅费", "提现", "提现"}));
  EXPECT_TRUE(vouchers::LoadPhrases(db(), 7).empty());
  type(-5, "甲");
  EXPECT_EQ(vouchers::LoadPhraseTypes(db()),
            (std::vector<PhraseType>{{-5, "甲"}, {2, "费用"}, {1, "银行"}}));  // by the characters' order
}

TEST(PhraseText, TrimsBlanksAndCountsCharactersNotBytes) {
  EXPECT_EQ(vouchers::TrimmedText("　\t 提 现 \r\n　"), "提 现");
  EXPECT_EQ(vouchers::TrimmedText("　 "), "");
  EXPECT_EQ(vouchers::FirstCharacters("银行存款ab", 5), "银行存款a");
  EXPECT_EQ(vouchers::FirstCharacters("短", 32), "短");
  EXPECT_EQ(vouchers::FirstCharacters(std::string(40, 'x'), 32), std::string(32, 'x'));
}

}  // namespace
}  // namespace qj::test
