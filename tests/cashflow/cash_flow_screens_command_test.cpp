// SHOWFINANCEFORM for the cash-flow keys: the opening data only for a book
// started after January, the item archive through the host.
#include "base/screen_registry.h"
#include "opening_data_fixture.h"

namespace qj::test {
namespace {

class RecordingScreen : public base::Screen {
 public:
  explicit RecordingScreen(int& shown) : shown_(shown) {}
  int showModal() override {
    ++shown_;
    return 0;
  }
  void showModeless() override {}
  void bringToFront() override {}
  void dispose() override { delete this; }

 private:
  int& shown_;
};

class CashFlowScreenCommands : public CashFlowBookTest {
 protected:
  void SetUp() override {
    CashFlowBookTest::SetUp();
    base::RegisterScreen(
        "CASHFLUXIONINIT_FRM",
        {[this](HostServices&) { return std::make_unique<RecordingScreen>(shown); }, nullptr, nullptr});
    base::RegisterScreen("OVOFLUXIONARCHIVES_FRM", {});
  }
  void TearDown() override {
    base::UnregisterAllScreens();
    CashFlowBookTest::TearDown();
  }
  void open(const std::string& key) { call("SHOWFINANCEFORM", {}, key); }

  int shown = 0;
};
QJ_ON_EVERY_ENGINE(CashFlowScreenCommands);

TEST_P(CashFlowScreenCommands, ABookStartedInJanuaryNeedsNoOpeningDataAndGetsNoScreen) {
  startIn(1);
  open("cashfluxioninit_frm");
  EXPECT_EQ(shown, 0);
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "帐套启用月份为一月，不需要输入现金流量初始数据。");
  EXPECT_EQ(host().messages[0].caption, "现金流量初始");

  host().deniedPrivileges.insert({71, 1});  // the privilege comes first: no message then
  open("CASHFLUXIONINIT_FRM");
  EXPECT_EQ(host().messages.size(), 1u);
}

TEST_P(CashFlowScreenCommands, ABookStartedLaterOpensTheScreenWithThePrivilege) {
  startIn(4);
  open("CASHFLUXIONINIT_FRM");
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(host().messages.empty());
  host().deniedPrivileges.insert({71, 1});
  open("CASHFLUXIONINIT_FRM");
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace qj::test
