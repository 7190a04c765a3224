#include "vouchers/chart_lookup.h"

#include <gtest/gtest.h>

#include "entry_fixture.h"

namespace qj::test {
namespace {

using vouchers::ChartLookup;

class ChartLookupTest : public EntryTest {
 protected:
  ChartLookup chart() { return ChartLookup::load(db(), base::CodeStructure({3, 5, 7, 9})); }
};
QJ_ON_EVERY_ENGINE(ChartLookupTest);

TEST_P(ChartLookupTest, DetailIsDecidedByTheNextSubjectInCodeOrder) {
  const ChartLookup lookup = chart();
  EXPECT_EQ(lookup.size(), 10u);
  for (const char* code : {"10001", "1000201", "1000204", "50001", "50002"})
    EXPECT_TRUE(lookup.find(code)->detail) << code;
  for (const char* code : {"100", "10002", "500"}) EXPECT_FALSE(lookup.find(code)->detail) << code;
  EXPECT_EQ(lookup.find("10003"), nullptr);
}

TEST_P(ChartLookupTest, SubjectsCarryTheirFullNameAndFlags) {
  const ChartLookup lookup = chart();
  const auto* dollars = lookup.find("1000202");
  ASSERT_NE(dollars, nullptr);
  EXPECT_EQ(dollars->fullName, "货币资金 → 银行存款 → 美元户");
  EXPECT_EQ(dollars->foreignMode, 1);
  EXPECT_EQ(dollars->moneyId, 1);
  EXPECT_TRUE(dollars->cashFlow);
  EXPECT_EQ(lookup.find("100")->fullName, "货币资金");
  EXPECT_FALSE(lookup.find("50001")->cashFlow);
}

TEST_P(ChartLookupTest, HelpCodesFindTheirSubjectWhateverTheCase) {
  const ChartLookup lookup = chart();
  EXPECT_EQ(lookup.findByHelpCode("xj")->code, "10001");
  EXPECT_EQ(lookup.findByHelpCode("GL")->code, "500");
  EXPECT_EQ(lookup.findByHelpCode("bgf")->code, "50001");  // the first of two in code order
  EXPECT_EQ(lookup.findByHelpCode("ZZ"), nullptr);
  EXPECT_EQ(lookup.findByHelpCode(""), nullptr);
  // A code wins over a help code; help codes come second.
  EXPECT_EQ(lookup.resolve("10001")->code, "10001");
  EXPECT_EQ(lookup.resolve("My")->code, "1000202");
  EXPECT_EQ(lookup.resolve("1000"), nullptr);
}

TEST_P(ChartLookupTest, TheDetailCheckNamesTheCodeInItsMessage) {
  const ChartLookup lookup = chart();
  EXPECT_FALSE(lookup.detailRefusal("10001"));
  EXPECT_EQ(lookup.detailRefusal("")->text, "科目编码不能为空");
  EXPECT_EQ(lookup.detailRefusal("999")->text, "科目'999'不存在");
  EXPECT_EQ(lookup.detailRefusal("10002")->text, "科目'10002'不是一个明细科目");
  EXPECT_EQ(lookup.detailRefusal("10002")->caption, "提示信息");
}

TEST(ChartLookupOrder, SubjectsAreOrderedByCodeWhateverOrderTheyCameIn) {
  std::vector<vouchers::ChartSubject> subjects(3);
  subjects[0].code = "10101";
  subjects[1].code = "101";
  subjects[2].code = "102";
  subjects[0].name = "子";
  subjects[1].name = "父";
  subjects[2].name = "邻";
  const ChartLookup lookup(std::move(subjects), base::CodeStructure({3, 5}));
  EXPECT_FALSE(lookup.find("101")->detail);
  EXPECT_TRUE(lookup.find("10101")->detail);
  EXPECT_TRUE(lookup.find("102")->detail);
  EXPECT_EQ(lookup.find("10101")->fullName, "父 → 子");
}

}  // namespace
}  // namespace qj::test
