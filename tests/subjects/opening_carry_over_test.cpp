#include "subjects/opening_carry_over.h"

#include "subjects/opening_fixture.h"

namespace qj::test {
namespace {

class OpeningCarryOver : public OpeningTest {
 protected:
  void carry(const std::string& code, const std::string& debit, const std::string& credit, const std::string& balance) {
    VorParams bag;
    bag.AddValue("asSubjectID", code);
    bag.AddValue("cDebit", Money::parse(debit));
    bag.AddValue("cCredit", Money::parse(credit));
    bag.AddValue("cBalance", Money::parse(balance));
    call("ADDRELESUBJECTSTARTDATA", bag);
  }
};
QJ_ON_EVERY_ENGINE(OpeningCarryOver);

TEST_P(OpeningCarryOver, ReplacesBothRowsAndRepairsAMissingOne) {
  subject("161", 'T', true);
  subject("165", 'F', true);  // accumulated depreciation: a credit-side subject
  call("CREATESUBJECTSTARTDATA");
  amounts("00161", {{"DEBIT", "9"}, {"CREDIT", "9"}});
  carry("161", "500", "100", "1400");
  carry("165", "0", "50", "-300");
  EXPECT_EQ(figure("00161", "DEBIT"), Money::fromInteger(500));
  EXPECT_EQ(figure("99161", "CREDIT"), Money::fromInteger(100));
  EXPECT_EQ(figure("99161", "Balance"), Money::fromInteger(1400));
  EXPECT_EQ(figure("00165", "Balance"), Money::fromInteger(300));

  subject("171", 'T', true);  // no rows yet: the repair makes them
  carry("171", "1", "2", "3");
  EXPECT_EQ(figure("99171", "Balance"), Money::fromInteger(3));
  EXPECT_TRUE(host().messages.empty());
}

TEST_P(OpeningCarryOver, AMissingRowWritesNothingAtAll) {
  subject("161", 'T', true, 1, 1);  // kept in US dollars: no local row
  const std::string before = book();
  carry("161", "1", "2", "3");
  ASSERT_EQ(host().messages.size(), 1U);
  EXPECT_EQ(host().messages[0].text, "固定资产转入帐务初始数据出错");
  EXPECT_EQ(book(), before);  // not even the repair's rows
}

}  // namespace
}  // namespace qj::test
