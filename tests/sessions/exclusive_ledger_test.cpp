// While another session holds the ledger exclusively (posting, reverse
// posting), nobody enters or stores vouchers, and everyone is told why.
#include <gtest/gtest.h>

#include "host/book_session.h"
#include "host/host_application.h"
#include "host/message_boxes.h"
#include "support/scratch_database.h"
#include "voucher_sessions.h"
#include "vouchers/voucher_batch.h"
#include "vouchers/voucher_draft.h"
#include "vouchers/voucher_entry_model.h"

namespace qj::test {
namespace {

class ExclusiveLedger : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override { CreateSessionBook(scratch_.location()); }
  const std::string& book() const { return scratch_.location(); }

 private:
  ScratchDatabase scratch_{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(Engines, ExclusiveLedger, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(ExclusiveLedger, WhileAnotherSessionPostsNoVoucherScreenOpensAndNoVoucherIsStored) {
  LockHoldingProcess posting(book(), "CREDLOCK");
  ASSERT_TRUE(posting.holding());

  auto session = host::BookSession::Open(book());
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app(*session, boxes, host::kAdministrator);
  app.setBusinessDate(Date(2011, 7, 15));
  {
    vouchers::VoucherEntryModel screen(app, {});
    EXPECT_FALSE(screen.open());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "其他用户正在独占帐务操作，不能进行凭证制作。");
  }

  vouchers::VoucherDraft draft;
  draft.date = Date(2011, 7, 15);
  draft.lines.resize(2);
  draft.lines[0].summary = draft.lines[1].summary = "提现";
  draft.lines[0].subject = "101";
  draft.lines[0].debit = Money::fromInteger(5);
  draft.lines[1].subject = "102";
  draft.lines[1].credit = Money::fromInteger(5);
  auto checked = vouchers::CheckDraft(draft, vouchers::DraftBook::load(app));
  ASSERT_TRUE(std::holds_alternative<vouchers::CheckedVoucher>(checked));
  std::vector<vouchers::CheckedVoucher> batch{std::get<vouchers::CheckedVoucher>(checked)};
  const auto refusal = vouchers::StoreNewVouchers(app, batch);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text, "其他用户正在保存凭证，请稍后再保存。");
  EXPECT_EQ(session->db().scalar("SELECT COUNT(*) FROM VoucherMaster").storage(), data::Value(0).storage());

  posting.release();
  EXPECT_FALSE(vouchers::StoreNewVouchers(app, batch));
  EXPECT_EQ(session->db().scalar("SELECT COUNT(*) FROM VoucherMaster").storage(), data::Value(1).storage());
}

}  // namespace
}  // namespace qj::test
