#include <gtest/gtest.h>

#include "base/code_structure.h"
#include "hostapi/refusal.h"
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

class DetailSubject : public PackageTest {
 protected:
  bool isDetail(const std::string& code) {
    VorParams bag;
    bag.AddValue("SubCode", code);
    return call("SUBJECTIDISDETAIL", bag).GetBoolean("result");
  }
  std::vector<std::string> shown() {
    std::vector<std::string> out;
    for (const auto& m : host().messages) out.push_back(m.text + "|" + m.caption);
    return out;
  }
};
QJ_ON_EVERY_ENGINE(DetailSubject);

TEST_P(DetailSubject, TheNextCodeInCodeOrderDecides) {
  addSubject("1009", "其他");
  addSubject("10101", "人民币");
  addSubject("102", "银行存款");
  addSubject("10201", "工商银行");
  EXPECT_FALSE(isDetail(""));
  EXPECT_FALSE(isDetail("9"));
  EXPECT_FALSE(isDetail("102"));
  EXPECT_TRUE(isDetail("10201"));
  EXPECT_TRUE(isDetail("10101"));
  // 1009 has no sub-accounts, but the next code, 10101, is longer.
  EXPECT_FALSE(isDetail("1009"));
  EXPECT_EQ(shown(),
            (std::vector<std::string>{"科目编码不能为空|提示信息", "科目'9'不存在|提示信息",
                                      "科目'102'不是一个明细科目|提示信息", "科目'1009'不是一个明细科目|提示信息"}));
}

TEST(CodeStructure, LevelsParentsAndValidation) {
  const auto structure = base::CodeStructure::FromSegments({3, 2, 2, 2});
  EXPECT_EQ(structure.cumulativeLengths(), (std::vector<int>{3, 5, 7, 9}));
  EXPECT_EQ(structure.describe(), "3-2-2-2");
  EXPECT_EQ(structure.levelOf("101"), 1);
  EXPECT_EQ(structure.levelOf("10101"), 2);
  EXPECT_EQ(structure.levelOf("1010"), 0);
  EXPECT_EQ(structure.parentOf("1010101"), "10101");
  EXPECT_EQ(structure.parentOf("101"), "101");
  EXPECT_EQ(structure.parentOf("1010"), "1010");
  EXPECT_EQ(structure.segmentWidth(1), 3);
  EXPECT_EQ(structure.segmentWidth(4), 2);
  EXPECT_EQ(structure.segmentWidth(5), 0);
  EXPECT_TRUE(structure.isLowestLevel("101010101"));
  EXPECT_THROW(base::CodeStructure::FromSegments({}), qj::RefusalError);
  EXPECT_THROW(base::CodeStructure::FromSegments({0, 2}), qj::RefusalError);
  EXPECT_THROW(base::CodeStructure::FromSegments({9, 9, 1}), qj::RefusalError);
}

}  // namespace
}  // namespace qj::test
