// GETASSUBCODE over a fake chooser: what it writes, and when it does not ask.
#include <gtest/gtest.h>

#include "package/subject_chooser_hook.h"
#include "support/package_fixture.h"

namespace qj::test {
namespace {

class SubjectChooserCommand : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    package::SetSubjectChooser([this]() -> std::optional<std::string> {
      ++asked;
      return answer;
    });
  }
  void TearDown() override {
    package::SetSubjectChooser({});
    PackageTest::TearDown();
  }

  std::optional<std::string> answer;
  int asked = 0;
};
INSTANTIATE_TEST_SUITE_P(Engines, SubjectChooserCommand, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(SubjectChooserCommand, WritesTheChosenCodeOrTheEmptyStringWhenCancelled) {
  answer = "10201";
  EXPECT_EQ(call("GETASSUBCODE").GetValue("asSubCode"), VorParams::Variant(std::string("10201")));
  answer.reset();
  const VorParams cancelled = call("getassubcode");
  ASSERT_TRUE(cancelled.Has("asSubCode"));
  EXPECT_EQ(cancelled.GetValue("asSubCode"), VorParams::Variant(std::string()));
  EXPECT_EQ(asked, 2);
}

TEST_P(SubjectChooserCommand, WritesNothingWithoutThePrivilegeOrWhileTheChooserIsOpen) {
  answer = "101";
  host().deniedPrivileges.insert({8, 1});
  EXPECT_FALSE(call("GETASSUBCODE").Has("asSubCode"));
  host().deniedPrivileges.clear();
  host().FormOpened("SubjectInfo_Frm");
  EXPECT_FALSE(call("GETASSUBCODE").Has("asSubCode"));
  EXPECT_EQ(asked, 0);
  host().FormClosed("SubjectInfo_Frm");
  package::SetSubjectChooser({});  // a host without screens
  EXPECT_FALSE(call("GETASSUBCODE").Has("asSubCode"));
}

}  // namespace
}  // namespace qj::test
