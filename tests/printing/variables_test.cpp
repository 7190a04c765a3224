// Variables in header and footer lines.
#include "printing/variables.h"

#include <gtest/gtest.h>

namespace qj::printing {
namespace {

TEST(Substitute, FillsKnownNamesAndPageNumbersAndLeavesEverythingElseAsWritten) {
  const Variables values = {{"公司名称", "青简商贸有限公司"}, {"期间", "2024年3月"}, {"操作员", "张三"}, {"空", ""}};
  EXPECT_EQ(Substitute("编制单位：{公司名称}  期间：{期间}", values), "编制单位：青简商贸有限公司  期间：2024年3月");
  EXPECT_EQ(Substitute("{操作员}{操作员}", values), "张三张三");
  EXPECT_EQ(Substitute("[{空}]", values), "[]");
  EXPECT_EQ(Substitute("审核：{审核人}", values), "审核：{审核人}");
  EXPECT_EQ(Substitute("{公司名称", values), "{公司名称");
  EXPECT_EQ(Substitute("}{期间}{", values), "}2024年3月{");
  EXPECT_EQ(Substitute("{{期间}}", values), "{2024年3月}");
  EXPECT_EQ(Substitute("{}", values), "{}");
  EXPECT_EQ(Substitute("没有变量", {}), "没有变量");
  // A value that looks like a variable is not substituted again.
  EXPECT_EQ(Substitute("{甲}", {{"甲", "{乙}"}, {"乙", "错"}}), "{乙}");

  // Page variables are per page, and leave the list's own variables alone.
  const Variables list = {{"公司名称", "青简"}, {"页码", "旧值"}};
  const std::string footer = "{公司名称} 第{页码}页，共{总页数}页";
  EXPECT_EQ(Substitute(footer, PageVariables(list, 1, 3)), "青简 第1页，共3页");
  EXPECT_EQ(Substitute(footer, PageVariables(list, 3, 3)), "青简 第3页，共3页");
  EXPECT_EQ(list.at("页码"), "旧值");
}

}  // namespace
}  // namespace qj::printing
