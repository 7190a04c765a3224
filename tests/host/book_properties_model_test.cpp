#include "host/book_properties_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "host/book_creation.h"
#include "host/user_store.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

using host::CompanyField;

class BookProperties : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    host::NewBook book;
    book.location = scratch_->location();
    book.start = Period{2011, 7};
    book.companyName = "青简测试有限公司";
    book.voucherTypeScheme = 2;
    book.segmentLengths = {4, 2, 2, 2};
    host::CreateBook(book);
    session_ = host::BookSession::Open(scratch_->location());
    host::UserStore(db()).add("会计", "");
  }
  data::Connection& db() { return session_->db(); }
  host::BookSession& session() { return *session_; }
  host::BookPropertiesModel model(const std::string& user = host::kAdministrator) {
    return host::BookPropertiesModel(*session_, user);
  }
  std::string text(const std::string& sql) { return data::TextOf(db().scalar(sql)); }
  std::string companyName() { return text("SELECT PARAMVALUE FROM HostBookParam WHERE PARAMNAME='CompanyName'"); }
  // Adds and saves foreign currencies, numbered from 1.
  void addCurrencies(const std::vector<std::string>& names) {
    auto m = model();
    for (const std::string& name : names) {
      ASSERT_TRUE(m.addCurrency());
      m.renameCurrency(m.currencies().size() - 1, name);
      ASSERT_TRUE(m.changeRate(m.currencies().size() - 1, "2.5"));
    }
    ASSERT_TRUE(m.save()) << m.message();
  }

 private:
  std::unique_ptr<ScratchDatabase> scratch_;
  std::unique_ptr<host::BookSession> session_;
};
INSTANTIATE_TEST_SUITE_P(Engines, BookProperties, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(BookProperties, EveryPageIsSavedTogetherAndTheRecordReloaded) {
  auto m = model();
  ASSERT_TRUE(m.canSave());
  EXPECT_EQ(m.company()[0].value, "青简测试有限公司");
  EXPECT_EQ(m.company()[2].width, 48u);  // 开户银行, AccountState.BANK
  m.editCompany(CompanyField::Name, "  北京青简商贸有限公司 ");
  m.editCompany(CompanyField::Bank, "中国银行北京分行");
  m.editCompany(CompanyField::Phone, "010-12345678");
  m.setMustCheck(true);
  m.setSameUser(true);
  m.setMakerEditsUnderAudit(true);
  m.renameVoucherType(2, "现收");  // the same name as type 5 of the other scheme
  m.chooseScheme(3);
  m.renameVoucherType(5, "现金收");
  ASSERT_TRUE(m.addCurrency());
  m.renameCurrency(0, "美元");
  ASSERT_TRUE(m.changeRate(0, "6.8312"));
  ASSERT_TRUE(m.save()) << m.message();

  EXPECT_EQ(companyName(), "北京青简商贸有限公司");
  const auto state = db().queryOne("SELECT BANK, PHONE, MUSTCHECK, SAMEUSER FROM AccountState");
  EXPECT_EQ(state->text("BANK"), "中国银行北京分行");
  EXPECT_EQ(state->text("PHONE"), "010-12345678");
  EXPECT_EQ(state->text("MUSTCHECK"), "T");
  EXPECT_EQ(state->text("SAMEUSER"), "T");
  EXPECT_EQ(text("SELECT NAME FROM AccountVoucherType WHERE ID=2"), "现收");
  EXPECT_EQ(text("SELECT NAME FROM AccountVoucherType WHERE ID=5"), "现金收");
  EXPECT_EQ(db().queryOne("SELECT RATE FROM Currency WHERE MONEYID=1")->money("RATE"), Money::parse("6.8312"));
  EXPECT_EQ(text("SELECT NAME FROM Currency WHERE MONEYID=0"), "人民币");

  const AccountBooksData& book = session().record();
  EXPECT_EQ(book.CompanyName, "北京青简商贸有限公司");
  EXPECT_TRUE(book.MustCheck);
  EXPECT_TRUE(book.CredCheckEdit);
  EXPECT_EQ(book.AccountVoucherType, 3);

  EXPECT_EQ(model().schemeTitle(3), "现金收、现付、银收、银付、转");
}

TEST_P(BookProperties, OnlyAdministratorsMaySave) {
  auto m = model("会计");
  EXPECT_FALSE(m.canSave());
  m.editCompany(CompanyField::Name, "改名公司");
  EXPECT_FALSE(m.save());
  EXPECT_NE(m.message().find("系统管理员"), std::string::npos);
  EXPECT_EQ(companyName(), "青简测试有限公司");
}

TEST_P(BookProperties, AnInvalidFieldIsNamedAndNothingIsWritten) {
  using Edit = std::function<void(host::BookPropertiesModel&)>;
  const auto currency = [](std::string name, std::string rate) -> Edit {
    return [=](auto& m) {
      m.addCurrency();
      m.renameCurrency(0, name);
      if (!rate.empty()) m.changeRate(0, rate);
    };
  };
  std::string tooLong;
  for (int i = 0; i < 49; ++i) tooLong += "行";
  const struct {
    Edit edit;
    const char* named;
  } cases[] = {
      {[](auto& m) { m.editCompany(CompanyField::Name, "  "); }, "单位名称"},
      {[&](auto& m) { m.editCompany(CompanyField::Bank, tooLong); }, "开户银行"},
      {[](auto& m) { m.renameVoucherType(3, " "); }, "编号 3"},
      {[](auto& m) { m.renameVoucherType(2, "收款凭证收款凭证收款凭证"); }, "编号 2"},
      {[](auto& m) { m.renameVoucherType(3, "收"); }, "重复"},
      {[](auto& m) { m.renameVoucherType(7, ""); }, "编号 7"},  // of a scheme not chosen
      {currency("", "1"), "名称不能为空"},
      {currency("人民币", "1"), "人民币"},
      {currency("美元", ""), "汇率"},
  };
  for (const auto& c : cases) {
    auto m = model();
    c.edit(m);
    m.editCompany(CompanyField::Phone, "12345");
    EXPECT_FALSE(m.save()) << c.named;
    EXPECT_NE(m.message().find(c.named), std::string::npos) << m.message();
  }
  EXPECT_EQ(text("SELECT PHONE FROM AccountState"), "");
  EXPECT_EQ(data::IntegerOf(db().scalar("SELECT COUNT(*) FROM Currency")), 1);

  auto m = model();
  ASSERT_TRUE(m.addCurrency());
  ASSERT_TRUE(m.changeRate(0, "7.1"));
  for (const char* bad : {"abc", "0", "-1", "1.23456", ""}) EXPECT_FALSE(m.changeRate(0, bad)) << bad;
  EXPECT_EQ(m.currencies()[0].rate, Money::parse("7.1"));
}

TEST_P(BookProperties, CurrenciesInUseStayAndTheLocalCurrencyIsNotOffered) {
  addCurrencies({"美元", "欧元", "日元", "港币"});
  db().execute(
      "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, VorWBFlag, MONEYID) "
      "VALUES ('100201', '美元户', 'T', 'T', 1, 1)");
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID) VALUES ('201107000001', 0, '1001', 2)");
  db().execute(
      "INSERT INTO SubjectStartData (MNYIDSUBJECTID, MONEYID, SUBJECTID, RAWBalance) VALUES ('031122', 3, '1122', :b)",
      {{"b", Money::fromInteger(500)}});

  auto m = model();
  ASSERT_EQ(m.currencies().size(), 4u);  // in number order; 人民币 is not among them
  EXPECT_FALSE(m.removeCurrency(0));
  EXPECT_NE(m.message().find("100201 美元户"), std::string::npos) << m.message();
  EXPECT_FALSE(m.removeCurrency(1));
  EXPECT_NE(m.message().find("凭证"), std::string::npos) << m.message();
  EXPECT_FALSE(m.removeCurrency(2));
  EXPECT_NE(m.message().find("期初"), std::string::npos) << m.message();
  EXPECT_TRUE(m.removeCurrency(3));
  // The number of a currency deleted but not yet saved is not given again.
  ASSERT_TRUE(m.addCurrency());
  EXPECT_EQ(m.currencies().back().moneyId, 5);
  m.renameCurrency(3, "英镑");
  ASSERT_TRUE(m.changeRate(3, "9.05"));
  ASSERT_TRUE(m.save()) << m.message();
  EXPECT_EQ(text("SELECT COUNT(*) FROM Currency"), "5");
  EXPECT_EQ(text("SELECT COUNT(*) FROM Currency WHERE MONEYID=4"), "0");
  EXPECT_EQ(text("SELECT NAME FROM Currency WHERE MONEYID=5"), "英镑");

  while (m.addCurrency()) {
  }
  EXPECT_EQ(m.currencies().size(), 98u);
  EXPECT_NE(m.message().find("98"), std::string::npos);
}

TEST_P(BookProperties, ACurrencyUsedMeanwhileStopsTheWholeSave) {
  addCurrencies({"美元"});
  auto m = model();
  ASSERT_TRUE(m.removeCurrency(0));
  m.editCompany(CompanyField::Name, "改名公司");
  // Another user enters a voucher in dollars before the deletion is saved.
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID) VALUES ('201107000001', 0, '1001', 1)");
  EXPECT_FALSE(m.save());
  EXPECT_NE(m.message().find("均未保存"), std::string::npos) << m.message();
  EXPECT_EQ(companyName(), "青简测试有限公司");
  EXPECT_EQ(text("SELECT NAME FROM Currency WHERE MONEYID=1"), "美元");
}

}  // namespace
}  // namespace qj::test
