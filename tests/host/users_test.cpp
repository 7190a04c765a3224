#include "host/user_store.h"

#include <gtest/gtest.h>

#include "host/host_error.h"
#include "support/package_fixture.h"

namespace qj::test {
namespace {

class Users : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<ScratchDatabase>(GetParam());
    db_ = scratch_->open();
    SeedBook(*db_, Period{2011, 7});
  }
  data::Connection& db() { return *db_; }

 private:
  std::unique_ptr<ScratchDatabase> scratch_;
  std::unique_ptr<data::Connection> db_;
};
QJ_ON_EVERY_ENGINE(Users);

TEST_P(Users, PasswordsAreStoredAsSaltedHashesAndVerified) {
  host::UserStore users(db());
  users.add("张三", "密码123");
  users.add("李四", "密码123");
  const auto hashes = db().query("SELECT PASSWORDHASH FROM HostUser ORDER BY USERNAME");
  ASSERT_EQ(hashes.size(), 2u);
  EXPECT_NE(hashes[0].text("PASSWORDHASH"), hashes[1].text("PASSWORDHASH"));  // salted
  EXPECT_EQ(hashes[0].text("PASSWORDHASH").find("密码123"), std::string::npos);
  EXPECT_TRUE(hashes[0].text("PASSWORDHASH").starts_with("$argon2id$"));
  EXPECT_TRUE(users.verify("张三", "密码123"));
  EXPECT_FALSE(users.verify("张三", "密码124"));
  EXPECT_FALSE(users.verify("张三", ""));
  EXPECT_FALSE(users.verify("王五", ""));
  users.setPassword("张三", "");
  EXPECT_TRUE(users.verify("张三", ""));
  EXPECT_FALSE(users.hasPassword("张三"));
}

TEST_P(Users, BadAndDuplicateNamesAreRefused) {
  host::UserStore users(db());
  users.add("会计", "");
  EXPECT_THROW(users.add("会计", ""), host::HostError);
  EXPECT_THROW(users.add("", ""), host::HostError);
  EXPECT_THROW(users.add("十一个字的用户名称太长了", ""), host::HostError);
  users.add("十个字的用户名称刚好", "");  // ten characters, thirty bytes
  EXPECT_THROW(users.add("a\nb", ""), host::HostError);
  EXPECT_THROW(users.setPassword("没有此人", "x"), host::HostError);
  EXPECT_THROW(users.grant("没有此人", 58, 1), host::HostError);
}

TEST_P(Users, NamesAreTakenWithoutTheirSurroundingSpacesAndWithoutRegardToCase) {
  host::UserStore users(db());
  users.add(" Carol ", "");
  EXPECT_TRUE(users.exists("Carol"));
  EXPECT_FALSE(users.exists(" Carol "));
  for (const char* twin : {"carol", "CAROL", "carol\t"}) EXPECT_THROW(users.add(twin, ""), host::HostError) << twin;
  EXPECT_EQ(users.find(" cAROL"), "Carol");
  EXPECT_EQ(users.find("carl"), std::nullopt);
  EXPECT_EQ(users.list().size(), 1u);
}

TEST_P(Users, AnAdministratorIsNeverAddedWithoutAPassword) {
  host::UserStore users(db());
  EXPECT_THROW(users.add("主管", "", true), host::HostError);
  EXPECT_FALSE(users.exists("主管"));
  users.add("主管", "密码", true);
  EXPECT_TRUE(users.isAdministrator("主管"));
}

TEST_P(Users, PrivilegesAreByFunctionAndActionAndAdministratorsHoldAll) {
  host::UserStore users(db());
  users.add("制单", "");
  users.add("主管", "密码", true);
  users.grant("制单", 58, 1);
  users.grant("制单", 58, 1);  // granting twice is harmless
  EXPECT_TRUE(users.hasPrivilege("制单", 58, 1));
  EXPECT_FALSE(users.hasPrivilege("制单", 58, 2));
  EXPECT_FALSE(users.hasPrivilege("制单", 59, 1));
  EXPECT_TRUE(users.hasPrivilege("主管", 77, 5));
  EXPECT_FALSE(users.hasPrivilege("没有此人", 58, 1));
  users.revoke("制单", 58, 1);
  EXPECT_FALSE(users.hasPrivilege("制单", 58, 1));
  EXPECT_THROW(users.grant("制单", 58, 8), host::HostError);
}

}  // namespace
}  // namespace qj::test
