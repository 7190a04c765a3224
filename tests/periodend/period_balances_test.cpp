#include "balances/period_roll_store.h"

#include "periodend/period_fixture.h"
#include "subjects/opening_transfer.h"

namespace qj::test {
namespace {

using balances::RollBalancesForward;

class PeriodRoll : public PeriodTest {};
QJ_ON_EVERY_ENGINE(PeriodRoll);

TEST_P(PeriodRoll, DecemberStartsTheNewYearFromItsEndingBalances) {
  put("Balance",
      "YEARMON=201112 MONEYID=1 SUBJECTID=10101 YBRAWDEBIT=5 BRAWDEBIT=7 RAWDEBIT=3 RAWCREDIT=1 ERAWDEBIT=9 "
      "YRAWDEBIT=20 YBDEBIT=34 BDEBIT=47.6 DEBIT=20.4 CREDIT=6.8 EDEBIT=61.2 YDEBIT=136");
  put("Balance", "YEARMON=201112 MONEYID=0 SUBJECTID=201 YBCREDIT=10 ECREDIT=300 YCREDIT=290");
  // Only year movements: nothing left to carry into a new year.
  put("Balance", "YEARMON=201112 MONEYID=0 SUBJECTID=501 DEBIT=40 CREDIT=40 YDEBIT=400 YCREDIT=400");
  put("Balance", "YEARMON=201201 MONEYID=0 SUBJECTID=999 EDEBIT=1");  // replaced by the roll
  balances::RollBalancesForward(db(), {2011, 12});
  EXPECT_EQ(balanceRow("201201", 1, "10101"),
            "YBRAWDEBIT=9.00 BRAWDEBIT=9.00 ERAWDEBIT=9.00 YBDEBIT=61.20 BDEBIT=61.20 EDEBIT=61.20");
  EXPECT_EQ(balanceRow("201201", 0, "201"), "YBCREDIT=300.00 BCREDIT=300.00 ECREDIT=300.00");
  EXPECT_EQ(count("Balance", "YEARMON='201201'"), 2);
  EXPECT_EQ(count("Balance", "YEARMON='201112'"), 3);  // the month rolled from stays as it was
}

TEST_P(PeriodRoll, AMidYearMonthCarriesTheYearFiguresAndSkipsEmptyKeys) {
  put("Balance",
      "YEARMON=201108 MONEYID=99 SUBJECTID=101 YBDEBIT=80 BDEBIT=100 DEBIT=50 CREDIT=20 EDEBIT=130 ECREDIT=0 "
      "YDEBIT=80 YCREDIT=30");
  // Moved to zero this month but moved this year: the year figures keep the row.
  put("Balance", "YEARMON=201108 MONEYID=0 SUBJECTID=502 DEBIT=5 CREDIT=5 YDEBIT=5 YCREDIT=5");
  // Zeros stored and nothing else: no row next month.
  put("Balance", "YEARMON=201108 MONEYID=0 SUBJECTID=503 RATE=1 YBDEBIT=0 EDEBIT=0 DEBIT=0");
  balances::RollBalancesForward(db(), {2011, 8});
  EXPECT_EQ(balanceRow("201109", 99, "101"), "YBDEBIT=80.00 BDEBIT=130.00 EDEBIT=130.00 YDEBIT=80.00 YCREDIT=30.00");
  EXPECT_EQ(balanceRow("201109", 0, "502"), "YDEBIT=5.00 YCREDIT=5.00");
  EXPECT_EQ(balanceRow("201109", 0, "503"), "-");
}

TEST_P(PeriodRoll, ProfitAndLossKeepsTheYearFiguresUntilANewYear) {
  put("ProfitAndLoss", "YEARMON=201108 SUBJECTID=501 DEBIT=10 CREDIT=200 EDEBIT=1 YDEBIT=30 YCREDIT=900");
  put("ProfitAndLoss", "YEARMON=201109 SUBJECTID=502 DEBIT=7");
  balances::RollProfitAndLoss(db(), {2011, 8});
  EXPECT_EQ(shown("ProfitAndLoss", "YEARMON='201109' AND SUBJECTID='501'"), "YDEBIT=30.00 YCREDIT=900.00");
  EXPECT_EQ(count("ProfitAndLoss", "YEARMON='201109'"), 1);

  put("ProfitAndLoss", "YEARMON=201112 SUBJECTID=501 DEBIT=10 YDEBIT=30 YCREDIT=900");
  balances::RollProfitAndLoss(db(), {2011, 12});
  EXPECT_EQ(shown("ProfitAndLoss", "YEARMON='201201' AND SUBJECTID='501'"), "");
}

TEST_P(PeriodRoll, SurplusRecordsAddTheMonthToTheTotalsAndResetTheYearInJanuary) {
  const std::string month =
      "ID=7 TOTALWL=100 CURRWL=12 USEDVALUE=500 DEPRRATE=0.02 DEPRVALUE=40 BASTDEBIT=1000 YASTDEBIT=300 "
      "YASTCREDIT=50 ASTDEBIT=200 ASTCREDIT=20 BDPRCREDIT=400 YDPRDEBIT=5 YDPRCREDIT=120 DPRDEBIT=5 DPRCREDIT=40";
  put("FixedAssetsSurplus", "YEARMON=201108 " + month);
  put("FixedAssetsSurplus", "YEARMON=201109 ID=8 TOTALWL=1");
  balances::RollFixedAssetSurplus(db(), {2011, 8});
  EXPECT_EQ(shown("FixedAssetsSurplus", "YEARMON='201109' AND ID=7"),
            "TOTALWL=112 CURRWL=0 USEDVALUE=540.00 DEPRVALUE=0.00 BASTDEBIT=1180.00 YASTDEBIT=300.00 "
            "YASTCREDIT=50.00 BDPRCREDIT=435.00 YDPRDEBIT=5.00 YDPRCREDIT=120.00");
  EXPECT_EQ(count("FixedAssetsSurplus", "YEARMON='201109'"), 1);

  put("FixedAssetsSurplus", "YEARMON=201112 " + month);
  balances::RollFixedAssetSurplus(db(), {2011, 12});
  EXPECT_EQ(shown("FixedAssetsSurplus", "YEARMON='201201' AND ID=7"),
            "TOTALWL=112 CURRWL=0 USEDVALUE=540.00 DEPRVALUE=0.00 BASTDEBIT=1180.00 YASTDEBIT=0.00 "
            "YASTCREDIT=0.00 BDPRCREDIT=435.00 YDPRDEBIT=0.00 YDPRCREDIT=0.00");
}

TEST_P(PeriodRoll, TheDepreciationWorkloadNeedsTheMonthsDepreciationVoucher) {
  put("FixedAssetsSurplus", "YEARMON=201108 ID=1 TOTALWL=10 DEPRVALUE=3");
  put("LoadWork", "YEARMON=201108 ID=1 LOADWORK=6 DEPRRATE=0.5 DEPRVALUE=30");
  put("LoadWork", "YEARMON=201108 ID=2 LOADWORK=4 DEPRRATE=0.25 DEPRVALUE=20");
  put("LoadWork", "YEARMON=201108 ID=3 LOADWORK=9 DEPRVALUE=0");
  put("LoadWork", "YEARMON=201107 ID=4 LOADWORK=9 DEPRVALUE=8");
  // The voucher of another month does not count.
  put("VoucherMaster", "CREDID=201108000001 AccountVoucherType=201 RELEVANTBILLID=201107");
  balances::ApplyDepreciationWorkload(db(), {2011, 8});
  EXPECT_EQ(count("FixedAssetsSurplus", "1=1"), 1);
  EXPECT_EQ(shown("FixedAssetsSurplus", "ID=1"), "TOTALWL=10 DEPRVALUE=3.00");

  put("VoucherMaster", "CREDID=201108000002 AccountVoucherType=201 RELEVANTBILLID=201108");
  balances::ApplyDepreciationWorkload(db(), {2011, 8});
  EXPECT_EQ(shown("FixedAssetsSurplus", "ID=1"), "TOTALWL=10 CURRWL=6 DEPRRATE=0.50 DEPRVALUE=30.00");
  EXPECT_EQ(shown("FixedAssetsSurplus", "YEARMON='201108' AND ID=2"), "CURRWL=4 DEPRRATE=0.25 DEPRVALUE=20.00");
  EXPECT_EQ(count("FixedAssetsSurplus", "1=1"), 2);
}

class StartPeriodRebuild : public PeriodTest {
 protected:
  void SetUp() override {
    PeriodTest::SetUp();
    subject("101", 'T', false);
    subject("10101", 'T', true);
    subject("10102", 'T', true, 1, 1);
    subject("201", 'F', true);
    subject("501", 'F', false);
    subject("50101", 'F', true);
    call("CREATESUBJECTSTARTDATA");
    amounts("0010101", {{"Balance", "100"}, {"DEBIT", "30"}, {"CREDIT", "10"}});
    amounts("0110102", {{"RAWBalance", "10"}, {"Balance", "68"}, {"RAWDEBIT", "2"}, {"DEBIT", "13.6"}});
    amounts("00201", {{"Balance", "168"}});
    amounts("0050101", {{"PLHAVEDONE", "300"}});
    put("FixedAssetsStart", "ID=5 ASTBALA=900 ASTDEBIT=100 DPRBALA=90");
    put("LoadWork", "YEARMON=201107 ID=5 LOADWORK=3 DEPRRATE=0.01 DEPRVALUE=9");
    put("VoucherMaster", "CREDID=201107000001 AccountVoucherType=201 RELEVANTBILLID=201107");
  }
  std::string ledger() {
    return snapshot("Balance", "YEARMON, MONEYID, SUBJECTID") + snapshot("ProfitAndLoss", "SUBJECTID, YEARMON") +
           snapshot("FixedAssetsSurplus", "ID, YEARMON");
  }
};
QJ_ON_EVERY_ENGINE(StartPeriodRebuild);

TEST_P(StartPeriodRebuild, BuildsWhatTheOpeningTransferBuilds) {
  ASSERT_TRUE(subjects::TransferOpeningToLedger(db(), structure(), host().book));
  const std::string transferred = ledger();
  // The opening rows hold zeros where they have no figure; the ledger keeps them.
  EXPECT_EQ(balanceRow("201107", 1, "10102"),
            "YBRAWDEBIT=8.00 YBRAWCREDIT=0.00 BRAWDEBIT=10.00 BRAWCREDIT=0.00 ERAWDEBIT=10.00 ERAWCREDIT=0.00 "
            "YRAWDEBIT=2.00 YRAWCREDIT=0.00 YBDEBIT=54.40 YBCREDIT=0.00 BDEBIT=68.00 BCREDIT=0.00 EDEBIT=68.00 "
            "ECREDIT=0.00 YDEBIT=13.60 YCREDIT=0.00");
  EXPECT_EQ(shown("FixedAssetsSurplus", "ID=5"),
            "TOTALWL=0 CURRWL=3 USEDVALUE=0.00 DEPRRATE=0.01 DEPRVALUE=9.00 BASTDEBIT=900.00 YASTDEBIT=100.00 "
            "YASTCREDIT=0.00 BDPRCREDIT=90.00 YDPRDEBIT=0.00 YDPRCREDIT=0.00");

  // What posting and later months left behind goes.
  db().execute("UPDATE Balance SET DEBIT=5, EDEBIT=105 WHERE SUBJECTID='10101'");
  put("Balance", "YEARMON=201108 MONEYID=0 SUBJECTID=201 ECREDIT=1");
  put("ProfitAndLoss", "YEARMON=201108 SUBJECTID=501 YDEBIT=1");
  put("FixedAssetsSurplus", "YEARMON=201108 ID=5 TOTALWL=3");
  balances::RebuildPeriodBalances(db(), structure(), host().book, {2011, 7});
  EXPECT_EQ(ledger(), transferred);
}

}  // namespace
}  // namespace qj::test
