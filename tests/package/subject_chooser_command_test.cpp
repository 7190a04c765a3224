// GETASSUBCODE over a fake chooser: what it writes, and when it does not ask.
#include <gtest/gtest.h>

#include "base/subject_chooser_hook.h"
#include "support/package_fixture.h"

namespace qj::test {
namespace {

class SubjectChooserCommand : public PackageTest {
 protected:
  void TearDown() override {
    base::SetSubjectChooser({});
    PackageTest::TearDown();
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, SubjectChooserCommand, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(SubjectChooserCommand, WritesTheChosenCodeTheEmptyStringOrNothing) {
  std::optional<std::string> answer = "10201";
  base::SetSubjectChooser([&answer](HostServices&) { return answer; });
  EXPECT_EQ(call("GETASSUBCODE").GetValue("asSubCode"), VorParams::Variant(std::string("10201")));
  answer.reset();  // cancelled
  EXPECT_EQ(call("getassubcode").GetValue("asSubCode"), VorParams::Variant(std::string()));
  host().deniedPrivileges.insert({8, 1});
  EXPECT_FALSE(call("GETASSUBCODE").Has("asSubCode"));
  host().deniedPrivileges.clear();
  host().FormOpened("SubjectInfo_Frm");  // already showing
  answer = "101";
  EXPECT_FALSE(call("GETASSUBCODE").Has("asSubCode"));
  host().FormClosed("SubjectInfo_Frm");
  base::SetSubjectChooser({});  // a build without screens
  EXPECT_FALSE(call("GETASSUBCODE").Has("asSubCode"));
}

}  // namespace
}  // namespace qj::test
