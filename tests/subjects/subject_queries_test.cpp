#include <gtest/gtest.h>

#include "subjects/code_structure.h"
#include "support/package_fixture.h"

namespace qj::test {
namespace {

class SubjectQueries : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    addSubject("101", "现金");
    addSubject("10101", "人民币");
    addSubject("1010101", "库存现金");
    addSubject("102", "银行存款");
    addSubject("1_1", "下划线科目");
  }
  std::int64_t prefixCount(const std::string& code) {
    VorParams bag;
    bag.AddValue("asSubjectID", code);
    return call("GETSUBJECTIDPARAM", bag).GetInteger("result");
  }
  std::string fullName(const std::string& code, bool withCode) {
    VorParams bag;
    bag.AddValue("asSubjectID", code);
    bag.AddValue("bWithSubjectID", withCode);
    return call("GETALLSUBNAME", bag).GetString("SubName");
  }
};
QJ_ON_EVERY_ENGINE(SubjectQueries);

TEST_P(SubjectQueries, PrefixCountTellsNoneLeafAndParent) {
  EXPECT_EQ(prefixCount("9"), 0);
  EXPECT_EQ(prefixCount("102"), 2);
  EXPECT_EQ(prefixCount("1010101"), 2);
  EXPECT_EQ(prefixCount("101"), 1);
  EXPECT_EQ(prefixCount("10"), 1);
}

TEST_P(SubjectQueries, WildcardCharactersInACodeMatchLiterally) {
  EXPECT_EQ(prefixCount("1_"), 2);  // only "1_1", not "101" or "102"
  EXPECT_EQ(prefixCount("1%"), 0);
  EXPECT_EQ(prefixCount("_"), 0);
}

TEST_P(SubjectQueries, NameOfASubjectOrEmpty) {
  VorParams bag;
  bag.AddValue("Name", std::string("10101"));
  EXPECT_EQ(call("GETSUBNAME", bag).GetValue("asSubName"), VorParams::Variant(std::string("人民币")));
  bag.AddValue("Name", std::string("999"));
  EXPECT_EQ(call("GETSUBNAME", bag).GetValue("asSubName"), VorParams::Variant(std::string()));
}

TEST_P(SubjectQueries, FullNameJoinsAncestorsOutermostFirst) {
  EXPECT_EQ(fullName("1010101", false), "现金 → 人民币 → 库存现金");
  EXPECT_EQ(fullName("1010101", true), "1010101 现金 → 人民币 → 库存现金");
  EXPECT_EQ(fullName("102", false), "银行存款");
  EXPECT_EQ(fullName("10201", true), "10201 ");  // unknown code: no names
}

TEST(CodeStructure, LevelsParentsAndValidation) {
  const auto structure = subjects::CodeStructure::FromSegments({3, 2, 2, 2});
  EXPECT_EQ(structure.cumulativeLengths(), (std::vector<int>{3, 5, 7, 9}));
  EXPECT_EQ(structure.describe(), "3-2-2-2");
  EXPECT_EQ(structure.levelOf("101"), 1);
  EXPECT_EQ(structure.levelOf("10101"), 2);
  EXPECT_EQ(structure.levelOf("1010"), 0);
  EXPECT_EQ(structure.parentOf("1010101"), "10101");
  EXPECT_EQ(structure.parentOf("101"), "101");
  EXPECT_EQ(structure.parentOf("1010"), "1010");
  EXPECT_THROW(subjects::CodeStructure::FromSegments({}), std::invalid_argument);
  EXPECT_THROW(subjects::CodeStructure::FromSegments({0, 2}), std::invalid_argument);
  EXPECT_THROW(subjects::CodeStructure::FromSegments({9, 9, 1}), std::invalid_argument);
}

}  // namespace
}  // namespace qj::test
