#include "subjects/opening_model.h"

#include "subjects/opening_fixture.h"

namespace qj::test {
namespace {

using subjects::OpeningField;
using subjects::OpeningModel;

class OpeningScreen : public OpeningTest {
 protected:
  void SetUp() override {
    OpeningTest::SetUp();
    subject("101", 'T', false);
    subject("10101", 'T', true);
    subject("10102", 'T', true, 1, 1);
    subject("201", 'F', true);
  }
  OpeningModel& opened() {
    model_ = std::make_unique<OpeningModel>(host());
    EXPECT_TRUE(model_->open());
    return *model_;
  }
  bool edit(const std::string& code, OpeningField field, const std::string& text) {
    const auto row = model_->findRow(code);
    return row && model_->editCell(*row, field, text);
  }
  std::vector<std::string> codes() {
    std::vector<std::string> out;
    for (const auto& row : model_->rows()) out.push_back(row.subjectId);
    return out;
  }

 private:
  std::unique_ptr<OpeningModel> model_;
};
QJ_ON_EVERY_ENGINE(OpeningScreen);

TEST_P(OpeningScreen, ListsEachCurrencysDetailRowsWithTheirAncestorsNames) {
  OpeningModel& model = opened();
  EXPECT_EQ(snapshot("SubjectStartDatatemp", "MNYIDSUBJECTID"), snapshot("SubjectStartData", "MNYIDSUBJECTID"));
  EXPECT_EQ(model.currencyCaption(), "币种选择：人民币");
  EXPECT_EQ(codes(), (std::vector<std::string>{"10101", "201"}));
  EXPECT_EQ(model.rows()[0].name, "科目101 → 科目10101");
  model.chooseCurrency(1);
  EXPECT_EQ(model.rateLabel(), "汇率：6.8000");
  EXPECT_EQ(codes(), (std::vector<std::string>{"10102"}));
  model.chooseCurrency(99);
  EXPECT_EQ(codes(), (std::vector<std::string>{"101", "10101", "10102", "201"}));
  EXPECT_FALSE(model.cellEditable(0, OpeningField::Balance));  // derived from the currencies

  host().deniedPrivileges.insert({73, 3});
  EXPECT_TRUE(opened().readOnly());
  EXPECT_FALSE(edit("10101", OpeningField::Balance, "1"));
}

TEST_P(OpeningScreen, AForeignAmountSetsItsLocalTwinAndAsksForATrialBalance) {
  OpeningModel& model = opened();
  model.chooseCurrency(1);
  // A third decimal is refused, not rounded into the books.
  EXPECT_FALSE(edit("10102", OpeningField::RawBalance, "10.005"));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, "金额最多只能有两位小数：10.005");
  EXPECT_EQ(figure("0110102", "RAWBalance"), Money());
  EXPECT_TRUE(edit("10102", OpeningField::RawBalance, "10.01"));
  EXPECT_EQ(figure("0110102", "RAWBalance"), Money::parse("10.01"));
  EXPECT_EQ(figure("0110102", "Balance"), Money::parse("68.07"));
  EXPECT_EQ(model.notice(), "还未进行试算平衡！");
  EXPECT_TRUE(edit("10102", OpeningField::Balance, ""));
  EXPECT_EQ(figure("0110102", "Balance"), Money());
  EXPECT_FALSE(edit("10102", OpeningField::Debit, "12x"));
  EXPECT_EQ(host().messages.size(), 2U);
  EXPECT_EQ(model.total().rawBalance, Money::parse("10.01"));
}

TEST_P(OpeningScreen, TheLevelOneFilterUsesTheBooksLevelOneLength) {
  host().book.SubjectLevelLen = {4, 6};
  subject("1001", 'T', true);
  subject("1002", 'T', false);
  subject("100201", 'T', true);
  OpeningModel& model = opened();
  model.setLevelOneOnly(true);
  EXPECT_EQ(codes(), (std::vector<std::string>{"1001"}));
  edit("1001", OpeningField::Balance, "7");
  model.chooseCurrency(99);
  EXPECT_EQ(codes(), (std::vector<std::string>{"1001", "1002"}));
  EXPECT_EQ(model.total().mDebit, Money::fromInteger(7));
}

TEST_P(OpeningScreen, TheTrialBalanceReportsItsFiguresAndTheSheetShowsThem) {
  OpeningModel& model = opened();
  edit("10101", OpeningField::Balance, "100");
  edit("201", OpeningField::Balance, "100");
  EXPECT_TRUE(model.pressTrialBalance().balanced());
  EXPECT_EQ(host().messages.back().caption, "提示");
  EXPECT_EQ(host().messages.back().text,
            "通过试算平衡！其中：\n年初余额借方：100.00\n年初余额贷方：100.00\n\n本年累计借方：0.00\n本年累计贷方：0.00"
            "\n\n期初余额借方：100.00\n期初余额贷方：100.00\n你可以启用该帐套．．．");
  EXPECT_EQ(model.notice(), "");

  model.pressTrialSheet();
  EXPECT_EQ(model.trialSheetButtonCaption(), "返回会计科目初始");
  EXPECT_EQ(model.columns()[2].title, "年初余额|借方");
  EXPECT_EQ(model.total().yCredit, Money::fromInteger(100));
  model.pressTrialSheet();

  edit("201", OpeningField::Balance, "90");
  EXPECT_FALSE(model.pressTrialBalance().balanced());
  EXPECT_EQ(host().messages.back().caption, "警告");
  EXPECT_TRUE(host().messages.back().text.starts_with("试算平衡尚未通过！其中：\n年初余额借方：100.00"));
}

TEST_P(OpeningScreen, ClosingInABookInUseTransfersOnlyBalancedDataInTheStartPeriod) {
  db().execute("UPDATE AccountState SET STATUS=1");
  OpeningModel& model = opened();
  edit("10101", OpeningField::Debit, "5");
  model.pressDiscard();  // "放弃"
  EXPECT_EQ(figure("0010101", "DEBIT"), Money());
  EXPECT_TRUE(model.pressClose());  // nothing left to transfer

  edit("10101", OpeningField::Balance, "100");
  host().answers = {msgbox::IdNo};
  EXPECT_TRUE(model.pressClose());
  EXPECT_EQ(figure("0010101", "Balance"), Money());  // taken back from the copy

  edit("10101", OpeningField::Balance, "100");
  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(model.pressClose());
  EXPECT_EQ(host().messages.back().text, "帐务系统初始数据不平衡，不能转入总分类帐簿");
  EXPECT_EQ(figure("0010101", "Balance"), Money::fromInteger(100));  // the user's values stay

  edit("201", OpeningField::Balance, "100");
  addVoucher("201107000001", 1, 1, true);
  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(model.pressClose());
  EXPECT_EQ(host().messages.back().text, "只有在开帐期间，且无任何凭证登帐的情况下，才可以对帐务初始数据进行调整。");

  db().execute("DELETE FROM VoucherMaster");
  host().answers = {msgbox::IdYes};
  EXPECT_TRUE(model.pressClose());
  EXPECT_EQ(data::IntegerOf(db().scalar("SELECT COUNT(*) FROM Balance WHERE MONEYID=99")), 3);
}

}  // namespace
}  // namespace qj::test
