// The voucher entry screen opened as the host opens it: through the menu key
// on a new voucher and through GOTOSPECIALCRED on a stored one, under the
// shared voucher lock, and closed only when the voucher on display may go.
#include <QDialog>
#include <QTimer>
#include <functional>

#include "package/widgets/screen_catalog.h"
#include "voucher_screen_fixture.h"

namespace qj::test {
namespace {

class VoucherEntryScreenWidget : public VoucherScreenTest {
 protected:
  void SetUp() override {
    VoucherScreenTest::SetUp();
    package::RegisterBuiltScreens();
  }

  // Runs a command; `whileOpen` sees the voucher screen once it is up, which
  // is then closed (dropping any change). True when the screen showed.
  bool run(const std::string& command, VorParams bag, const std::string& param,
           const std::function<void(vouchers::VoucherScreen&)>& whileOpen) {
    bool shown = false;
    QTimer timer;  // goes with this call, also when no screen shows
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* screen = qobject_cast<vouchers::VoucherScreen*>(QApplication::activeModalWidget());
      if (!screen) return;
      shown = true;
      workOn(screen);
      whileOpen(*screen);
      host().answers.assign(2, msgbox::IdNo);
      screen->close();
      workOn(nullptr);
    });
    timer.start(0);
    call(command, std::move(bag), param);
    return shown;
  }
  bool fromMenu(const std::function<void(vouchers::VoucherScreen&)>& whileOpen) {
    return run("SHOWFINANCEFORM", {}, "VOUCHERVOICE_FRM", whileOpen);
  }
  bool onVoucher(const std::string& credId, const std::function<void(vouchers::VoucherScreen&)>& whileOpen) {
    VorParams bag;
    bag.AddValue("asOldCredID", credId);
    return run("GOTOSPECIALCRED", std::move(bag), {}, whileOpen);
  }

  // A stored voucher made from another module's document.
  void storeFromDocument(const std::string& credId) {
    storeVoucher(credId, 1, 1, {{.subject = "10001", .debit = "30"}, {.subject = "50001", .credit = "30"}});
    db().execute("UPDATE VoucherMaster SET RELEVANTBILLID = 7 WHERE CREDID = :id", {{"id", credId}});
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, VoucherEntryScreenWidget, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(VoucherEntryScreenWidget, TheMenuKeyOpensANewVoucherUnderTheSharedLockAndLetsItGo) {
  EXPECT_TRUE(fromMenu([&](vouchers::VoucherScreen& screen) {
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("凭证登记"));
    EXPECT_EQ(host().heldLocks, (std::map<std::string, int>{{"CREDSHARE", 1}}));
    EXPECT_TRUE(host().FormIsExist("VoucherVoice_Frm"));
    EXPECT_TRUE(screen.model().isNew());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&screen));
    EXPECT_EQ(host().toolbar.size(), 10U) << "the host's toolbar switched off";
  }));
  EXPECT_TRUE(host().heldLocks.empty());
  EXPECT_FALSE(host().FormIsExist("VoucherVoice_Frm"));
  EXPECT_EQ(host().log, (std::vector<std::pair<int, std::string>>{{200, "凭证登记"}, {201, "凭证登记"}}));
  EXPECT_TRUE(host().messages.empty()) << lastMessage();
}

TEST_P(VoucherEntryScreenWidget, ARefusedSharedLockClosesTheScreenAtOnce) {
  host().refusedLocks.insert("CREDSHARE");
  EXPECT_FALSE(fromMenu([](vouchers::VoucherScreen&) {}));
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, "其他用户正在独占帐务操作，不能进行凭证制作。");
  EXPECT_TRUE(host().log.empty()) << "the screen never showed";
  EXPECT_TRUE(host().heldLocks.empty());
  EXPECT_FALSE(host().FormIsExist("VoucherVoice_Frm"));

  storeFromDocument("201107000001");
  EXPECT_FALSE(onVoucher("201107000001", [](vouchers::VoucherScreen&) {}));
  EXPECT_EQ(host().messages.size(), 2U);
}

TEST_P(VoucherEntryScreenWidget, GotoSpecialCredShowsTheStoredVoucherWithoutItsDocument) {
  storeFromDocument("201107000001");
  EXPECT_TRUE(onVoucher("201107000001", [&](vouchers::VoucherScreen& screen) {
    EXPECT_EQ(screen.model().storedCredId(), "201107000001");
    ASSERT_EQ(screen.model().lines().size(), 2U);
    EXPECT_EQ(screen.model().debitTotal(), amount("30"));
    EXPECT_FALSE(screen.button(QStringLiteral("单据"))->isVisibleTo(&screen));
  }));
  EXPECT_TRUE(host().heldLocks.empty());

  // Through the menu key the same voucher, reached by 向前, offers its document.
  EXPECT_TRUE(fromMenu([&](vouchers::VoucherScreen& screen) {
    QTest::mouseClick(screen.button(QStringLiteral("向前")), Qt::LeftButton);
    EXPECT_EQ(screen.model().storedCredId(), "201107000001");
    EXPECT_TRUE(screen.button(QStringLiteral("单据"))->isVisibleTo(&screen));
  }));
}

TEST_P(VoucherEntryScreenWidget, AChangedVoucherKeepsTheScreenOpenUntilTheUserDropsIt) {
  EXPECT_TRUE(fromMenu([&](vouchers::VoucherScreen& screen) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    compose(QStringLiteral("未保存的摘要"));
    host().answers.push_back(2);  // Cancel
    key(Qt::Key_Escape);
    EXPECT_EQ(lastMessage(), "凭证数据未保存，是否保存?");
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.model().lines().front().summary, "未保存的摘要");
    host().answers.push_back(msgbox::IdNo);
    key(Qt::Key_Escape);
    EXPECT_FALSE(screen.isVisible());
  }));
  EXPECT_TRUE(host().heldLocks.empty());
}

}  // namespace
}  // namespace qj::test
