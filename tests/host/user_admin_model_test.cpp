#include "host/user_admin_model.h"

#include <gtest/gtest.h>

#include <set>

#include "base/screen_table.h"
#include "host/book_creation.h"
#include "host/book_session.h"
#include "host/host_error.h"
#include "host/privileged_functions.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

class UserAdmin : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    host::NewBook book;
    book.location = scratch_->location();
    book.start = Period{2011, 7};
    book.companyName = "青简测试有限公司";
    host::CreateBook(book);
    session_ = host::BookSession::Open(scratch_->location());
    host::UserStore(db()).add("会计", "");
  }
  data::Connection& db() { return session_->db(); }
  std::int64_t count(const std::string& sql) { return data::IntegerOf(db().scalar(sql)); }

 private:
  std::unique_ptr<ScratchDatabase> scratch_;
  std::unique_ptr<host::BookSession> session_;
};
INSTANTIATE_TEST_SUITE_P(Engines, UserAdmin, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(UserAdmin, OrdinaryUsersAreRefusedEveryChange) {
  host::UserAdminModel model(db(), "会计");
  EXPECT_FALSE(model.allowed());
  EXPECT_FALSE(model.addUser("出纳", "", "", false));
  EXPECT_NE(model.message().find("系统管理员"), std::string::npos);
  model.select("会计");
  EXPECT_FALSE(model.setGranted(58, 1, true));
  EXPECT_FALSE(model.resetPassword("x", "x"));
  EXPECT_FALSE(model.removeSelected());
  EXPECT_EQ(count("SELECT COUNT(*) FROM HostUser"), 2);
  EXPECT_EQ(count("SELECT COUNT(*) FROM HostPrivilege"), 0);
}

TEST_P(UserAdmin, UsersAreAddedWithMatchingPasswordsAndPasswordsReset) {
  host::UserAdminModel model(db(), host::kAdministrator);
  ASSERT_TRUE(model.allowed());
  EXPECT_FALSE(model.addUser("出纳", "甲123", "甲124", false));
  EXPECT_NE(model.message().find("不一致"), std::string::npos);
  EXPECT_FALSE(model.addUser("主管", "", "", true));  // an administrator needs a password
  EXPECT_FALSE(model.addUser("会计", "", "", false));
  EXPECT_NE(model.message().find("已经存在"), std::string::npos);
  EXPECT_EQ(count("SELECT COUNT(*) FROM HostUser"), 2);

  ASSERT_TRUE(model.addUser("出纳", "甲123", "甲123", false)) << model.message();
  EXPECT_EQ(model.selected(), "出纳");
  EXPECT_EQ(model.users().size(), 3u);
  host::UserStore store(db());
  EXPECT_TRUE(store.verify("出纳", "甲123"));

  EXPECT_FALSE(model.resetPassword("新", "旧"));
  EXPECT_TRUE(store.verify("出纳", "甲123"));
  ASSERT_TRUE(model.resetPassword("新密码", "新密码"));
  EXPECT_TRUE(store.verify("出纳", "新密码"));
  model.select(host::kAdministrator);
  EXPECT_FALSE(model.resetPassword("", ""));
}

TEST_P(UserAdmin, UsersAreRemovedWithTheirPrivilegesButNeverYourselfOrTheLastAdministrator) {
  host::UserStore store(db());
  store.add("主管", "x", true);
  store.grant("会计", 58, 1);
  store.grant("会计", 59, 5);
  host::UserAdminModel model(db(), "主管");
  EXPECT_FALSE(model.removeSelected());  // 主管 is selected: the current user
  EXPECT_NE(model.message().find("当前登录"), std::string::npos);
  model.select("会计");
  ASSERT_TRUE(model.removeSelected()) << model.message();
  EXPECT_FALSE(store.exists("会计"));
  EXPECT_EQ(count("SELECT COUNT(*) FROM HostPrivilege"), 0);
  model.select(host::kAdministrator);
  ASSERT_TRUE(model.removeSelected()) << model.message();

  EXPECT_THROW(store.remove("主管"), host::HostError);  // the last administrator
  EXPECT_THROW(store.remove("没有此人"), host::HostError);
  EXPECT_TRUE(store.exists("主管"));
}

TEST_P(UserAdmin, PrivilegesAreGrantedAndRevokedForOrdinaryUsers) {
  host::UserAdminModel model(db(), host::kAdministrator);
  EXPECT_TRUE(model.isGranted(77, 5));  // administrators hold everything
  EXPECT_FALSE(model.setGranted(58, 1, true));
  model.select("会计");
  EXPECT_FALSE(model.isGranted(58, 1));
  ASSERT_TRUE(model.setGranted(58, 1, true));
  ASSERT_TRUE(model.setGranted(58, 2, true));
  EXPECT_TRUE(model.isGranted(58, 1));
  EXPECT_FALSE(model.isGranted(58, 3));
  ASSERT_TRUE(model.setGranted(58, 1, false));
  EXPECT_FALSE(model.isGranted(58, 1));
  const auto granted = host::UserStore(db()).privileges("会计");
  ASSERT_EQ(granted.size(), 1u);
  EXPECT_EQ(granted[0], (host::Privilege{58, 2}));
}

TEST(PrivilegedFunctions, AreExactlyThePrivilegesOfThePackagesScreensAndTheHostsArchive) {
  std::set<int> offered;
  for (const auto& function : host::PrivilegedFunctions()) {
    EXPECT_FALSE(function.title.empty());
    EXPECT_TRUE(offered.insert(function.number).second) << "twice: " << function.number;
  }
  std::set<int> screens;
  for (const auto& screen : base::ScreenTable())
    if (screen.privilege != 0) screens.insert(screen.privilege);
  screens.insert(70);  // 现金流量项目, the host's own screen
  EXPECT_EQ(offered, screens);
  EXPECT_EQ(host::PrivilegeActions().size(), 7u);
}

}  // namespace
}  // namespace qj::test
