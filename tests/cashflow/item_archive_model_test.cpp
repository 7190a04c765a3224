#include "cashflow/item_archive_model.h"

#include "opening_data_fixture.h"

namespace qj::test {
namespace {

using cashflow::ItemDraft;

class ItemArchive : public CashFlowBookTest {
 protected:
  cashflow::ItemArchiveModel& opened() {
    model_ = std::make_unique<cashflow::ItemArchiveModel>(host());
    EXPECT_TRUE(model_->reload());
    return *model_;
  }
  // The items as "code name direction kind", e.g. "0101 销售收到的现金 T T".
  std::vector<std::string> items() {
    std::vector<std::string> out;
    for (const auto& item : cashflow::ReadCashFlowItems(db()))
      out.push_back(item.code + " " + item.name + " " + (item.inflow ? "T" : "F") + " " + (item.detail ? "T" : "F"));
    return out;
  }
  std::string lastMessage() { return host().messages.empty() ? "" : host().messages.back().text; }

 private:
  std::unique_ptr<cashflow::ItemArchiveModel> model_;
};
QJ_ON_EVERY_ENGINE(ItemArchive);

using Items = std::vector<std::string>;

TEST_P(ItemArchive, TheListIsATreeInCodeOrder) {
  auto& archive = opened();
  ASSERT_EQ(archive.items().size(), 4u);
  EXPECT_EQ(archive.items()[1].code, "0101");
  EXPECT_EQ(archive.parentOf(1), 0u);
  EXPECT_EQ(archive.parentOf(3), std::nullopt);
}

TEST_P(ItemArchive, ANewItemNeedsAGoodCodeAnExistingParentAndAName) {
  auto& archive = opened();
  const auto draft = archive.beginAdd("02");
  ASSERT_TRUE(draft);
  EXPECT_EQ(draft->code, "02");
  EXPECT_FALSE(draft->inflow) << "a child starts with its parent's direction";

  const std::vector<std::pair<ItemDraft, std::string>> refused = {
      {{"", "名称", true}, "请输入项目编码。"},
      {{"010", "名称", true}, "项目编码的长度应为2、4、6、8、10或12位。"},
      {{"01010101010101", "名称", true}, "项目编码的长度应为2、4、6、8、10或12位。"},
      {{"01A1", "名称", true}, "项目编码只能由数字组成。"},
      {{"0101", "名称", true}, "项目编码“0101”已经存在。"},
      {{"0301", "名称", true}, "上级项目“03”不存在，请先增加上级项目。"},
      {{"0103", "  ", true}, "项目名称不能为空。"},
      {{"0103", std::string(65, 'x'), true}, "项目名称不能超过64个字。"},
  };
  for (const auto& [bad, message] : refused) {
    EXPECT_FALSE(archive.add(bad)) << bad.code;
    EXPECT_EQ(lastMessage(), message) << bad.code;
  }
  std::string longest;
  for (int i = 0; i < 64; ++i) longest += "现";
  EXPECT_TRUE(archive.add({"0103", longest, false}));
  EXPECT_EQ(items().size(), 5u);
}

TEST_P(ItemArchive, AChildTurnsItsParentIntoASummaryItemUnlessTheParentCarriesFigures) {
  auto& archive = opened();
  EXPECT_TRUE(archive.add({"0201", "收回投资", true}));
  EXPECT_EQ(items()[3], "02 投资活动 F F");
  EXPECT_EQ(items()[4], "0201 收回投资 T T");
  EXPECT_EQ(archive.items().size(), 5u) << "the list is read again";

  openingRow("201101", "0101", "10", "0");
  EXPECT_FALSE(archive.add({"010101", "现销", true}));
  EXPECT_EQ(lastMessage(), "上级项目“0101”已有现金流量数据，不能增加下级项目。");
  EXPECT_EQ(items()[1], "0101 销售收到的现金 T T");
}

TEST_P(ItemArchive, AnItemIsRenamedAndTurnedAroundButNeedsAName) {
  auto& archive = opened();
  auto draft = archive.beginModify("0102");
  ASSERT_TRUE(draft);
  EXPECT_EQ(draft->name, "购买支付的现金");
  draft->name = "采购付现";
  draft->inflow = true;
  EXPECT_TRUE(archive.modify(*draft));
  EXPECT_EQ(items()[2], "0102 采购付现 T T");
  draft->name = "";
  EXPECT_FALSE(archive.modify(*draft));
  EXPECT_EQ(items()[2], "0102 采购付现 T T");
}

TEST_P(ItemArchive, AnItemWithSubItemsOrFiguresStays) {
  auto& archive = opened();
  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(archive.remove("01"));
  EXPECT_EQ(lastMessage(), "该项目有下级项目，不能删除。");
  openingRow("201101", "0101", "0", "5");
  EXPECT_FALSE(archive.remove("0101"));
  EXPECT_EQ(lastMessage(), "该项目已有现金流量初始数据，不能删除。");
  db().execute("INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT, CREDIT) VALUES ('201107000001', '02', 3, NULL)");
  EXPECT_FALSE(archive.remove("02"));
  EXPECT_EQ(lastMessage(), "该项目已用于凭证的现金流量分配，不能删除。");
  EXPECT_EQ(items().size(), 4u);
  EXPECT_EQ(host().messages.size(), 3u) << "refused before any question";
}

TEST_P(ItemArchive, ADeletedItemTakesItsEmptyRowsAndALastChildGivesItsParentItsFiguresBack) {
  auto& archive = opened();
  openingRow("201101", "0102", "0", "0");
  db().execute(
      "INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT, CREDIT) VALUES ('201107000001', '0102', 0, NULL)");
  host().answers = {msgbox::IdNo};
  EXPECT_FALSE(archive.remove("0102"));  // declined
  EXPECT_EQ(items().size(), 4u);

  host().answers = {msgbox::IdYes, msgbox::IdYes};
  EXPECT_TRUE(archive.remove("0102"));
  EXPECT_EQ(host().messages.back().text, "确定要删除现金流量项目“0102 购买支付的现金”吗？");
  EXPECT_EQ(data::IntegerOf(db().scalar("SELECT COUNT(*) FROM FluxionInit")), 0);
  EXPECT_EQ(data::IntegerOf(db().scalar("SELECT COUNT(*) FROM FluxionDistribute")), 0);
  EXPECT_EQ(items()[0], "01 经营活动 T F") << "0101 is still below it";
  EXPECT_TRUE(archive.remove("0101"));
  EXPECT_EQ(items(), (Items{"01 经营活动 T T", "02 投资活动 F T"}));
}

TEST_P(ItemArchive, EachChangeNeedsItsPrivilege) {
  auto& archive = opened();
  host().deniedPrivileges = {{70, 2}, {70, 3}, {70, 4}};
  EXPECT_FALSE(archive.beginAdd("01"));
  EXPECT_FALSE(archive.beginModify("0101"));
  EXPECT_FALSE(archive.remove("0101"));
  EXPECT_TRUE(host().messages.empty()) << "the host tells the user, not the archive";
  EXPECT_EQ(items().size(), 4u);
}

}  // namespace
}  // namespace qj::test
