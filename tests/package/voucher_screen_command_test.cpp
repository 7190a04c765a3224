// GOTOSPECIALCRED over a fake opener: which voucher it asks for, and when it does not open.
#include <gtest/gtest.h>

#include "base/voucher_screen_hook.h"
#include "support/package_fixture.h"

namespace qj::test {
namespace {

class VoucherScreenCommand : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    base::SetVoucherScreenOpener([this](HostServices&, const std::string& credId) { opened.push_back(credId); });
  }
  void TearDown() override {
    base::SetVoucherScreenOpener({});
    PackageTest::TearDown();
  }

  VorParams gotoVoucher(const std::string& credId) {
    VorParams bag;
    bag.AddValue("asOldCredID", credId);
    return call("GOTOSPECIALCRED", bag);
  }

  std::vector<std::string> opened;
};
INSTANTIATE_TEST_SUITE_P(Engines, VoucherScreenCommand, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(VoucherScreenCommand, OpensTheScreenOnTheGivenVoucherAndWritesNothing) {
  const VorParams after = gotoVoucher("201107000012");
  EXPECT_EQ(opened, std::vector<std::string>{"201107000012"});
  EXPECT_EQ(after.values().size(), 1u);
  VorParams numeric;  // a caller that hands the identifier over as a number
  numeric.AddValue("asoldcredid", std::int64_t{201107000003});
  call("gotospecialcred", numeric);
  EXPECT_EQ(opened.back(), "201107000003");
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(VoucherScreenCommand, WithoutThePrivilegeAScreenOrWhileOneShowsNothingOpens) {
  host().deniedPrivileges.insert({58, 1});
  gotoVoucher("201107000001");
  EXPECT_TRUE(opened.empty());
  host().deniedPrivileges.clear();

  host().FormOpened("VoucherVoice_Frm");  // a modal screen cannot be shown twice
  gotoVoucher("201107000001");
  EXPECT_TRUE(opened.empty());
  host().FormClosed("VoucherVoice_Frm");

  base::SetVoucherScreenOpener({});  // a host without screens
  host().deniedPrivileges.insert({58, 1});
  gotoVoucher("201107000001");
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(host().messages.empty());  // not even the privilege message: nothing could open
}

}  // namespace
}  // namespace qj::test
