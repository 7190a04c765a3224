#include "cashflow/opening_data_model.h"

#include "opening_data_fixture.h"

namespace qj::test {
namespace {

using cashflow::OpeningDataColumn;
using Rows = std::vector<std::string>;

class OpeningData : public CashFlowBookTest {
 protected:
  void SetUp() override {
    CashFlowBookTest::SetUp();
    startIn(4);
  }
  cashflow::OpeningDataModel& opened() {
    model_ = std::make_unique<cashflow::OpeningDataModel>(host());
    EXPECT_TRUE(model_->open());
    return *model_;
  }
  // Makes the book refuse any change to the row of 0102 until allowed again.
  void refuseChangesOf0102() {
    if (GetParam() == data::Engine::Sqlite) {
      db().executeScript(
          "CREATE TRIGGER refuse0102 BEFORE UPDATE ON FluxionInit WHEN NEW.CashID='0102' "
          "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    } else {
      db().executeScript(
          "CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ LANGUAGE plpgsql;"
          "CREATE TRIGGER refuse0102 BEFORE UPDATE ON FluxionInit FOR EACH ROW WHEN (NEW.CashID='0102') "
          "EXECUTE FUNCTION refuse()");
    }
  }
  void allowChanges() {
    db().executeScript(GetParam() == data::Engine::Sqlite ? "DROP TRIGGER refuse0102"
                                                          : "DROP TRIGGER refuse0102 ON FluxionInit");
  }
  std::string shown(std::size_t row, OpeningDataColumn column) { return model_->cellText(row, column); }

 private:
  std::unique_ptr<cashflow::OpeningDataModel> model_;
};
QJ_ON_EVERY_ENGINE(OpeningData);

TEST_P(OpeningData, TheMonthsBeforeTheStartMonthAreOfferedAndTheFirstIsLoaded) {
  auto& model = opened();
  EXPECT_EQ(model.months(), (Rows{"一月份", "二月份", "三月份"}));
  EXPECT_EQ(model.currentMonth(), 0u);
  EXPECT_EQ(model.period(), "201101");
  EXPECT_EQ(stored("201101"), (Rows{"0101:0.00:0.00", "0102:0.00:0.00", "02:0.00:0.00"}));
  EXPECT_TRUE(stored("201102").empty()) << "only the shown month is filled";

  startIn(12);
  auto& december = opened();
  ASSERT_EQ(december.months().size(), 11u);
  EXPECT_EQ(december.months().back(), "十一月份");
}

TEST_P(OpeningData, TheGridShowsTheDetailItemsWithTheirDirection) {
  auto& model = opened();
  std::vector<std::string> titles;
  for (OpeningDataColumn column : cashflow::OpeningDataModel::Columns())
    titles.push_back(cashflow::OpeningDataModel::Title(column));
  EXPECT_EQ(titles, (Rows{"编码", "名称", "借方期初", "贷方期初", "方向"}));
  ASSERT_EQ(model.rows().size(), 3u);
  EXPECT_EQ(shown(0, OpeningDataColumn::Name), "销售收到的现金");
  EXPECT_EQ(shown(0, OpeningDataColumn::Direction), "流入");
  EXPECT_EQ(shown(1, OpeningDataColumn::Direction), "流出");
  EXPECT_EQ(shown(2, OpeningDataColumn::Code), "02");
  EXPECT_FALSE(cashflow::OpeningDataModel::Editable(OpeningDataColumn::Code));
  EXPECT_TRUE(cashflow::OpeningDataModel::Editable(OpeningDataColumn::Credit));
  EXPECT_FALSE(model.changed());
}

TEST_P(OpeningData, ASummaryItemThatOnceWasADetailItemLosesItsRowsOnTheNextLoad) {
  openingRow("201101", "01", "500", "0");  // from when 01 carried amounts itself
  openingRow("201101", "0101", "120.5", "0");
  openingRow("201102", "01", "70", "0");
  opened();
  EXPECT_EQ(stored("201101"), (Rows{"0101:120.50:0.00", "0102:0.00:0.00", "02:0.00:0.00"}));
  EXPECT_EQ(stored("201102"), (Rows{"01:70.00:0.00"})) << "another month waits for its own load";
}

TEST_P(OpeningData, EditsAreHeldUntilSavedAndThenStoredTogether) {
  auto& model = opened();
  EXPECT_TRUE(model.editCell(0, OpeningDataColumn::Debit, "1500.5"));
  EXPECT_FALSE(model.editCell(1, OpeningDataColumn::Credit, "0.125"));  // a third decimal is refused, not rounded
  EXPECT_TRUE(model.editCell(1, OpeningDataColumn::Credit, "0.13"));
  EXPECT_FALSE(model.editCell(2, OpeningDataColumn::Name, "新名称"));
  EXPECT_FALSE(model.editCell(2, OpeningDataColumn::Debit, "12x"));
  ASSERT_EQ(host().messages.size(), 2u);
  EXPECT_EQ(host().messages.front().text, "金额最多只能有两位小数：0.125");
  EXPECT_TRUE(model.changed());
  EXPECT_EQ(stored("201101"), (Rows{"0101:0.00:0.00", "0102:0.00:0.00", "02:0.00:0.00"}));

  EXPECT_TRUE(model.save());
  EXPECT_FALSE(model.changed());
  EXPECT_EQ(stored("201101"), (Rows{"0101:1500.50:0.00", "0102:0.00:0.13", "02:0.00:0.00"}));
  EXPECT_EQ(shown(1, OpeningDataColumn::Credit), "0.13");
}

TEST_P(OpeningData, AFailedSaveStoresNothingAndKeepsTheEditsForAnotherTry) {
  auto& model = opened();
  model.editCell(0, OpeningDataColumn::Debit, "100");
  model.editCell(1, OpeningDataColumn::Credit, "40");
  refuseChangesOf0102();
  EXPECT_FALSE(model.save());
  EXPECT_EQ(host().databaseErrors.size(), 1u);
  EXPECT_EQ(stored("201101"), (Rows{"0101:0.00:0.00", "0102:0.00:0.00", "02:0.00:0.00"})) << "all or nothing";
  EXPECT_TRUE(model.changed());
  EXPECT_EQ(shown(0, OpeningDataColumn::Debit), "100.00");
  EXPECT_EQ(shown(1, OpeningDataColumn::Credit), "40.00");

  allowChanges();
  EXPECT_TRUE(model.save());
  EXPECT_EQ(stored("201101"), (Rows{"0101:100.00:0.00", "0102:0.00:40.00", "02:0.00:0.00"}));
}

TEST_P(OpeningData, ChangingMonthWithUnsavedEditsAsksWhetherToSaveThem) {
  auto& model = opened();
  model.chooseMonth(1);  // nothing changed: no question
  EXPECT_TRUE(host().messages.empty());
  EXPECT_EQ(model.period(), "201102");

  model.editCell(0, OpeningDataColumn::Debit, "10");
  host().answers = {msgbox::IdYes};
  model.chooseMonth(2);
  ASSERT_EQ(host().messages.size(), 1u);
  EXPECT_EQ(host().messages[0].text, "数据已改变，是否存盘？");
  EXPECT_EQ(host().messages[0].caption, "询问");
  EXPECT_EQ(stored("201102").front(), "0101:10.00:0.00");
  EXPECT_EQ(model.period(), "201103");

  model.editCell(0, OpeningDataColumn::Debit, "30");
  host().answers = {msgbox::IdNo};
  model.chooseMonth(0);
  EXPECT_EQ(stored("201103").front(), "0101:0.00:0.00");
  EXPECT_EQ(model.period(), "201101");
  EXPECT_FALSE(model.changed());
}

TEST_P(OpeningData, AYesWhoseSaveFailsStaysOnTheMonthWithItsEditsAndClosingAsksToo) {
  auto& model = opened();
  model.editCell(1, OpeningDataColumn::Credit, "8");
  refuseChangesOf0102();
  host().answers = {msgbox::IdYes};
  model.chooseMonth(1);
  EXPECT_EQ(model.period(), "201101");
  EXPECT_EQ(shown(1, OpeningDataColumn::Credit), "8.00");

  host().answers = {msgbox::IdYes};
  EXPECT_FALSE(model.mayClose()) << "the save failed: the screen stays";
  allowChanges();
  host().answers = {msgbox::IdYes};
  EXPECT_TRUE(model.mayClose());
  EXPECT_EQ(stored("201101")[1], "0102:0.00:8.00");
}

}  // namespace
}  // namespace qj::test
