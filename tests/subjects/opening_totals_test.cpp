#include "subjects/opening_total_store.h"

#include "subjects/opening_fixture.h"
#include "subjects/opening_row_store.h"
#include "subjects/opening_trial.h"

namespace qj::test {
namespace {

class OpeningTotals : public OpeningTest {
 protected:
  // 101 > 10101 > 1010101, 1010102 (US dollars); 10102 a credit-side child of 101; 201 credit side.
  void chart() {
    subject("101", 'T', false);
    subject("10101", 'T', false);
    subject("1010101", 'T', true);
    subject("1010102", 'T', true, 1, 1);
    subject("10102", 'F', true);
    subject("201", 'F', true);
    call("CREATESUBJECTSTARTDATA");
  }
};
QJ_ON_EVERY_ENGINE(OpeningTotals);

TEST_P(OpeningTotals, SummariesAggregatesAndTheGrandTotalAddUp) {
  chart();
  amounts("001010101", {{"Balance", "100"}, {"DEBIT", "30"}, {"CREDIT", "10"}});
  amounts("011010102", {{"RAWBalance", "10"}, {"Balance", "68"}, {"RAWDEBIT", "1"}, {"DEBIT", "6.8"}});
  amounts("0010102", {{"Balance", "18"}, {"CREDIT", "5"}});
  amounts("00201", {{"Balance", "150"}, {"CREDIT", "20"}, {"DEBIT", "1.2"}});
  subjects::ReWriteSubjectDataTotal(db(), structure());

  EXPECT_EQ(figure("9910101", "Balance"), Money::fromInteger(168));  // local sum over all currencies
  EXPECT_EQ(figure("9910101", "RAWBalance"), Money());
  EXPECT_EQ(figure("0110101", "RAWBalance"), Money::fromInteger(10));  // a foreign summary keeps its currency
  EXPECT_EQ(figure("00101", "Balance"), Money::fromInteger(82));       // 100 less the credit-side 18
  EXPECT_EQ(figure("99101", "Balance"), Money::fromInteger(150));
  // Year opening of 99101: 150 - (36.8 - 15) = 128.2 on the debit side; of 201: 150 - (20 - 1.2) = 131.2.
  EXPECT_EQ(figure("99101", "YDEBIT"), Money::parse("128.2"));
  EXPECT_EQ(figure("99201", "YCREDIT"), Money::parse("131.2"));
  EXPECT_EQ(figure("9910102", "MCREDIT"), Money::fromInteger(18));
  EXPECT_EQ(figure("011010102", "MRAWDEBIT"), Money::fromInteger(10));
  EXPECT_EQ(figure("011010102", "YRAWDEBIT"), Money::fromInteger(9));
  // The grand total adds the level-1 rows only.
  EXPECT_EQ(figure("99999", "MDEBIT"), Money::fromInteger(150));
  EXPECT_EQ(figure("99999", "MCREDIT"), Money::fromInteger(150));
  EXPECT_EQ(figure("99999", "DEBIT"), Money::fromInteger(38));
  EXPECT_EQ(figure("99999", "CREDIT"), Money::fromInteger(35));

  const std::string before = book();
  subjects::ReWriteSubjectDataTotal(db(), structure());
  EXPECT_EQ(book(), before);
}

TEST_P(OpeningTotals, AFailedTotalChangesNothing) {
  chart();
  amounts("001010101", {{"Balance", "100"}});
  failOn("SubjectStartData", "INSERT");  // the grand-total row is written last
  const std::string before = book();
  EXPECT_THROW(subjects::ReWriteSubjectDataTotal(db(), structure()), data::DbError);
  EXPECT_EQ(book(), before);
}

TEST_P(OpeningTotals, TheTrialCheckComparesAllThreePairs) {
  chart();
  amounts("001010101", {{"Balance", "100"}, {"DEBIT", "30"}});
  amounts("00201", {{"Balance", "100"}, {"CREDIT", "30"}});
  EXPECT_TRUE(call("SUBJECTSTARTDATACHECK").GetBoolean("result"));

  amounts("00201", {{"Balance", "90"}});
  const auto figures = subjects::RunTrialBalance(db(), structure());
  EXPECT_FALSE(figures.balanced());
  EXPECT_EQ(figures.mDebit, Money::fromInteger(100));
  EXPECT_EQ(figures.mCredit, Money::fromInteger(90));
  EXPECT_EQ(figures.yDebit, Money::fromInteger(70));
  EXPECT_EQ(figures.yCredit, Money::fromInteger(60));
  EXPECT_FALSE((subjects::TrialFigures{{}, {}, Money::fromInteger(1), {}, {}, {}}.balanced()));  // only the M pair
}

}  // namespace
}  // namespace qj::test
