#include "subjects/opening_row_store.h"

#include "subjects/opening_fixture.h"
#include "subjects/opening_total_store.h"

namespace qj::test {
namespace {

using OpeningRows = OpeningTest;
QJ_ON_EVERY_ENGINE(OpeningRows);

TEST_P(OpeningRows, EachCurrencyFlagGetsItsRows) {
  subject("101", 'T', false);
  subject("10101", 'T', true);        // no foreign currency
  subject("10102", 'T', true, 1, 2);  // one foreign currency, 港币
  subject("10103", 'T', true, 2);     // every foreign currency
  call("CREATESUBJECTSTARTDATA");
  EXPECT_EQ(keys("SUBJECTID='101'"), "00101 01101 02101 99101 ");
  EXPECT_EQ(keys("SUBJECTID='10101'"), "0010101 9910101 ");
  EXPECT_EQ(keys("SUBJECTID='10102'"), "0210102 9910102 ");
  EXPECT_EQ(keys("SUBJECTID='10103'"), "0010103 0110103 0210103 9910103 ");
  EXPECT_EQ(figure("0110103", "RATE"), Money::parse("6.8"));
  EXPECT_EQ(figure("0010101", "Balance"), Money());
}

TEST_P(OpeningRows, RateInitFollowsCurrencyWithRow99AtRateOne) {
  db().execute("INSERT INTO RateInit (MONEYID, RATE) VALUES (99, 30000), (7, 10000), (1, 70000)");
  call("CREATESUBJECTSTARTDATA");
  EXPECT_EQ(snapshot("RateInit", "MONEYID"), "0|10000|\n1|70000|\n2|8800|\n99|10000|\n");
}

TEST_P(OpeningRows, RepairMendsRowsAndASecondRunChangesNothing) {
  subject("101", 'T', true);
  subject("401", 'T', true);  // a cost subject: debit side although its code is above 200
  subject("501", 'F', true);
  subject("502", 'T', true, 1, 1);
  call("CREATESUBJECTSTARTDATA");
  db().execute(
      "UPDATE SubjectStartData SET DCFLAG=NULL, DCFLAGNAME=NULL, DEBIT=NULL WHERE SUBJECTID IN ('401', '501')");
  db().execute("UPDATE SubjectStartData SET DETAILFLAG='F' WHERE SUBJECTID='101'");
  db().execute("UPDATE Subject SET VorWBFlag=0, MONEYID=0 WHERE SUBJECTID='502'");  // 502 back to local only
  db().execute(
      "INSERT INTO SubjectStartData (MNYIDSUBJECTID, MONEYID, SUBJECTID, DCFLAG, DETAILFLAG) VALUES "
      "('02101', 2, '101', 'T', 'T'), ('00999', 0, '999', 'T', 'T')");  // empty misfit; row of no subject
  amounts("01502", {{"RAWBalance", "5.00"}});                           // only a foreign amount: kept

  call("CREATESUBJECTSTARTDATA");
  EXPECT_EQ(keys(), "00101 00401 00501 00502 01502 99101 99401 99501 99502 ");
  EXPECT_EQ(keys("DCFLAG='T' AND DCFLAGNAME='借'"), "00101 00401 00502 01502 99101 99401 99502 ");
  EXPECT_EQ(keys("DCFLAG='F' AND DCFLAGNAME='贷'"), "00501 99501 ");
  EXPECT_EQ(keys("DEBIT IS NULL OR DETAILFLAG<>'T'"), "");

  subjects::ReWriteSubjectDataTotal(db(), structure());  // the totals row must survive the next repair
  const std::string before = book();
  call("CREATESUBJECTSTARTDATA");
  EXPECT_EQ(book(), before);
}

TEST_P(OpeningRows, AFailedRepairLeavesTheBookAsItWas) {
  subject("101", 'T', true);
  db().execute("INSERT INTO RateInit (MONEYID, RATE) VALUES (99, 10000)");
  failOn("SubjectStartData", "INSERT");
  const std::string before = book();
  call("CREATESUBJECTSTARTDATA");
  ASSERT_EQ(host().databaseErrors.size(), 1U);
  EXPECT_EQ(book(), before);  // RateInit still holds its row 99
}

}  // namespace
}  // namespace qj::test
