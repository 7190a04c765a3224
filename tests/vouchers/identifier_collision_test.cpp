#include "vouchers/identifier_collision.h"

#include <gtest/gtest.h>

#include "base/product_caption.h"
#include "support/package_fixture.h"
#include "vouchers/voucher_numbering_queries.h"

namespace qj::test {
namespace {

using vouchers::IdentifierCollision;
using vouchers::IdentifierReset;

const Date kJulyDate(2011, 7, 20);
const Date kAugustDate(2011, 8, 3);

std::string Taken(int taken, int reset) {
  return "凭证编号" + std::to_string(taken) + "已经被占用，不能保存该凭证。凭证编号将被重新设置为" +
         std::to_string(reset) + "。";
}

class IdentifierCollisions : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    addVoucher("201107000003", 1, 1);
    addVoucher("201107000005", 1, 2);
    addVoucher("201107000007", 1, 3);
    addVoucher("201108000002", 1, 1);
  }
};
QJ_ON_EVERY_ENGINE(IdentifierCollisions);

TEST_P(IdentifierCollisions, AFreeIdentifierOrTheVouchersOwnPasses) {
  struct Case {
    const char* what;
    std::string current;
    std::string stored;
  };
  const Case cases[] = {
      {"new voucher, free identifier", "201107000004", ""},
      {"new voucher, identifier past the highest", "201107000008", ""},
      {"stored voucher, unchanged", "201107000005", "201107000005"},
      {"stored voucher, renumbered to a free serial", "201107000006", "201107000005"},
      {"stored voucher, moved to a free August serial", "201108000001", "201107000005"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IdentifierCollision(db(), c.current, c.stored, kJulyDate), std::nullopt) << c.what;
}

TEST_P(IdentifierCollisions, ATakenIdentifierIsReplacedAndTheUserTold) {
  struct Case {
    const char* what;
    std::string current;
    std::string stored;
    Date date;
    std::string replacement;
    std::string message;
  };
  const Case cases[] = {
      {"new voucher", "201107000005", "", kJulyDate, "201107000008", Taken(5, 8)},
      {"new voucher in August", "201108000002", "", kAugustDate, "201108000003", Taken(2, 3)},
      {"stored voucher renumbered in its month returns to its number", "201107000003", "201107000005", kJulyDate,
       "201107000005", Taken(3, 5)},
      {"stored voucher moved to August", "201108000002", "201107000005", kAugustDate, "201108000003", Taken(2, 3)},
  };
  for (const Case& c : cases) {
    const std::optional<IdentifierReset> reset = IdentifierCollision(db(), c.current, c.stored, c.date);
    ASSERT_TRUE(reset.has_value()) << c.what;
    EXPECT_EQ(reset->replacement, c.replacement) << c.what;
    EXPECT_EQ(reset->message.text, c.message) << c.what;
    EXPECT_EQ(reset->message.caption, base::kProductCaption) << c.what;
  }
  EXPECT_TRUE(host().messages.empty());  // the rule only reports; its driver shows
}

TEST_P(IdentifierCollisions, RunningAgainAfterTheResetFindsWhatAnotherUserTookMeanwhile) {
  auto reset = IdentifierCollision(db(), "201107000003", "", kJulyDate);
  ASSERT_TRUE(reset);
  ASSERT_EQ(reset->replacement, "201107000008");
  EXPECT_EQ(IdentifierCollision(db(), reset->replacement, "", kJulyDate), std::nullopt);
  addVoucher("201107000008", 2, 1);  // another user saves first
  reset = IdentifierCollision(db(), reset->replacement, "", kJulyDate);
  ASSERT_TRUE(reset);
  EXPECT_EQ(reset->replacement, "201107000009");
  EXPECT_EQ(reset->message.text, Taken(8, 9));
}

TEST_P(IdentifierCollisions, AFullMonthGivesTheCapacityWarningAndNoReplacement) {
  addVoucher("201107999999", 1, 9);
  const Refusal full{vouchers::kMonthFullMessage, caption::Error, msgbox::IconWarning};
  for (const std::string& stored : {std::string(), std::string("201108000002")}) {
    const auto reset = IdentifierCollision(db(), "201107000005", stored, kJulyDate);
    ASSERT_TRUE(reset) << stored;
    EXPECT_EQ(reset->message, full) << stored;
    EXPECT_EQ(reset->replacement, "") << stored;
  }
  // A voucher stored in the full month still returns to its own number.
  const auto reset = IdentifierCollision(db(), "201107000005", "201107000003", kJulyDate);
  ASSERT_TRUE(reset);
  EXPECT_EQ(reset->replacement, "201107000003");
  EXPECT_EQ(reset->message.text, Taken(5, 3));
}

TEST_P(IdentifierCollisions, TheDriverShowsRuleMessagesUnderTheProductName) {
  const auto reset = IdentifierCollision(db(), "201107000005", "", kJulyDate);
  ASSERT_TRUE(reset);
  base::ShowUnderProductCaption(host(), reset->message);
  base::ShowUnderProductCaption(host(), vouchers::MonthFullRefusal());
  ASSERT_EQ(host().messages.size(), 2u);
  EXPECT_EQ(host().messages[0].caption, "青简财务");
  EXPECT_EQ(host().messages[0].text, Taken(5, 8));
  EXPECT_EQ(host().messages[1].caption, "出错信息");  // a caption of its own is kept
}

}  // namespace
}  // namespace qj::test
