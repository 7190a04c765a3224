// Reading vouchers from JSON: what each shape of value becomes, which fault a
// voucher reports first whatever order its file gives the names in, and the
// faults of the file as a whole.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "vouchers/voucher_import.h"

namespace qj::test {
namespace {

using Vouchers = std::vector<vouchers::ImportedVoucher>;

// The vouchers read, or the file's fault as "file: <text>".
std::variant<Vouchers, std::string> read(std::string_view text) {
  Vouchers read;
  const auto fault =
      vouchers::ReadVoucherJson(text, [&](const vouchers::ImportedVoucher& voucher) { read.push_back(voucher); });
  if (fault) return "file: " + fault->text;
  return read;
}
Vouchers vouchersOf(std::string_view text) {
  auto result = read(text);
  if (auto* fault = std::get_if<std::string>(&result)) {
    ADD_FAILURE() << *fault;
    return {};
  }
  return std::get<Vouchers>(result);
}
std::string faultOf(const vouchers::ImportedVoucher& voucher) { return voucher.fault.value_or("(none)"); }
std::string fileFaultOf(std::string_view text) {
  const auto result = read(text);
  const auto* fault = std::get_if<std::string>(&result);
  return fault ? *fault : "(read)";
}

TEST(ReadVoucherJson, ScalarsOfEveryKindBecomeTheTextTheyWereWrittenAs) {
  const Vouchers read = vouchersOf(R"([{"date": "2011-07-05", "voucher": "A-7", "type": 1, "attachments": 3,
      "maker": null, "lines": [
        {"summary": true, "subject": 50001, "currency": 2, "rate": 6.8300, "foreign": 1.5, "debit": 12345678901234},
        {"summary": null, "subject": "10001", "credit": "1,000.25", "foreign": -0}]}])");
  ASSERT_EQ(read.size(), 1U);
  const vouchers::VoucherDraft& draft = read[0].draft;
  EXPECT_EQ(faultOf(read[0]), "(none)");
  EXPECT_EQ(draft.key, "A-7");
  EXPECT_EQ(draft.date, *Date::parse("2011-07-05"));
  EXPECT_EQ(draft.type, "1");
  EXPECT_EQ(draft.attachments, 3);
  EXPECT_FALSE(draft.maker) << "an empty maker leaves the user entering it";
  ASSERT_EQ(draft.lines.size(), 2U);
  EXPECT_EQ(draft.lines[0].summary, "true");
  EXPECT_EQ(draft.lines[0].subject, "50001");
  EXPECT_EQ(draft.lines[0].moneyId, 2);
  EXPECT_EQ(draft.lines[0].rate, "6.8300");
  EXPECT_EQ(draft.lines[0].foreign, Money::parse("1.5"));
  EXPECT_EQ(draft.lines[0].debit, Money::parse("12345678901234"));
  EXPECT_EQ(draft.lines[0].origin, "第 1 张凭证第 1 条分录");
  EXPECT_EQ(draft.lines[1].summary, "");
  EXPECT_EQ(draft.lines[1].credit, Money::parse("1000.25"));
  EXPECT_TRUE(draft.lines[1].foreign.isZero());
}

TEST(ReadVoucherJson, AVoucherReportsTheSameFirstFaultWhateverOrderItsNamesComeIn) {
  // Header names are checked in the order of their names, all before the lines.
  for (const char* text : {
           R"([{"lines": [{"subjekt": "1"}], "type": {"x": 1}, "attachments": "x", "date": "2011-07-05"}])",
           R"([{"date": "2011-07-05", "attachments": "x", "type": {"x": 1}, "lines": [{"subjekt": "1"}]}])",
       }) {
    const Vouchers read = vouchersOf(text);
    ASSERT_EQ(read.size(), 1U) << text;
    EXPECT_EQ(faultOf(read[0]), "第 1 张凭证：附件应为整数：“x”") << text;
  }
  EXPECT_EQ(faultOf(vouchersOf(R"([{"type": [1], "lines": [{"subjekt": "1"}], "date": "2011-07-05"}])")[0]),
            "第 1 张凭证：凭证字应为文字或数字");
  EXPECT_EQ(faultOf(vouchersOf(R"([{"lines": [{"subjekt": "1"}], "date": "2011-07-05"}])")[0]),
            "第 1 张凭证第 1 条分录：不认识的字段“subjekt”");
  EXPECT_EQ(faultOf(vouchersOf(R"([{"lines": [{"subject": {"code": 1}, "debit": "x"}], "date": "2011-07-05"}])")[0]),
            "第 1 张凭证第 1 条分录：借方：金额格式不正确：“x”");
  // A missing date comes before anything else; a line field is unknown on the voucher.
  EXPECT_EQ(faultOf(vouchersOf(R"([{"attachments": "x", "lines": []}])")[0]), "第 1 张凭证：缺少日期");
  EXPECT_EQ(faultOf(vouchersOf(R"([{"日期": "2011-07-05", "subject": "1", "lines": []}])")[0]),
            "第 1 张凭证：不认识的字段“subject”");
}

TEST(ReadVoucherJson, ValuesOfTheWrongShapeAreFaultsOfTheirVoucherOnly) {
  const Vouchers read = vouchersOf(R"([1, [{"date": "2011-07-05"}, [2]], null,
      {"date": "2011-07-05", "lines": [2, {"subject": "50001"}, [{"a": {}}]]},
      {"date": "2011-07-05", "lines": {"subject": "50001"}},
      {"date": "2011-07-05", "lines": "50001"},
      {"date": "2011-07-05"},
      {"date": "2011-07-05", "lines": "x", "分录": [{"subject": "50001"}]},
      {"date": "2011-07-05", "lines": [{"subject": "50001"}], "分录": 5},
      {"date": "2011-07-05", "lines": []}])");
  ASSERT_EQ(read.size(), 10U);
  EXPECT_EQ(faultOf(read[0]), "第 1 张凭证应为一个对象");
  EXPECT_EQ(faultOf(read[1]), "第 2 张凭证应为一个对象");
  EXPECT_EQ(faultOf(read[2]), "第 3 张凭证应为一个对象");
  EXPECT_EQ(faultOf(read[3]), "第 4 张凭证第 1 条分录应为一个对象");
  ASSERT_EQ(read[3].draft.lines.size(), 3U) << "every line is kept for its place";
  EXPECT_EQ(read[3].draft.lines[1].subject, "50001");
  for (int i : {4, 5, 6}) EXPECT_EQ(faultOf(read[i]), "第 " + std::to_string(i + 1) + " 张凭证：缺少分录数组 lines");
  // Given both names, the Chinese one is read.
  EXPECT_EQ(faultOf(read[7]), "(none)");
  ASSERT_EQ(read[7].draft.lines.size(), 1U);
  EXPECT_EQ(faultOf(read[8]), "第 9 张凭证：缺少分录数组 lines");
  EXPECT_EQ(faultOf(read[9]), "(none)");
  for (std::size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i].draft.key, std::to_string(i + 1));
}

TEST(ReadVoucherJson, TheFileIsRefusedWholeForBrokenOrAmbiguousJson) {
  EXPECT_EQ(fileFaultOf("[]"), "(read)");
  EXPECT_EQ(fileFaultOf(R"({"date": "2011-07-05"})"), "file: JSON 文件应为凭证的数组：[{...}, {...}]");
  EXPECT_EQ(fileFaultOf(R"("x")"), "file: JSON 文件应为凭证的数组：[{...}, {...}]");
  EXPECT_EQ(fileFaultOf(""), "file: JSON 格式错误：第 1 行附近");
  EXPECT_EQ(fileFaultOf("[{\"date\": \"2011-07-05\", \"lines\": []},\n\n{\"date\": 2011-07-05}]"),
            "file: JSON 格式错误：第 3 行附近");
  EXPECT_EQ(fileFaultOf("[{\"date\": \"2011-07-05\", \"lines\": []}] x"),
            "file: JSON 格式错误：第 1 行：凭证数组之后还有其他内容");
  // A name twice in one object, at any depth, even inside a value that is a fault anyway.
  EXPECT_EQ(fileFaultOf(R"([{"date": "2011-07-05", "lines": []}, {"date": "2011-07-05", "lines": [], "lines": []}])"),
            "file: JSON 格式错误：第 2 张凭证中字段“lines”出现了两次");
  EXPECT_EQ(fileFaultOf(R"([{"date": "2011-07-05", "type": {"a": 1, "b": [{"c": 1, "c": 2}]}, "lines": []}])"),
            "file: JSON 格式错误：第 1 张凭证中字段“c”出现了两次");
  EXPECT_EQ(fileFaultOf(R"([{"date": "2011-07-05", "lines": [{"a": 1}, {"b": {"a": 1, "a": 1}}]}])"),
            "file: JSON 格式错误：第 1 张凭证中字段“a”出现了两次");
  // However many names an object has: a repeat after twenty thousand others.
  std::string many = R"([{"date": "2011-07-05", "lines": [], "type": {)";
  for (int i = 0; i < 20000; ++i) many += "\"n" + std::to_string(i) + "\": " + std::to_string(i) + ", ";
  EXPECT_EQ(fileFaultOf(many + R"("n17": 0}}])"), "file: JSON 格式错误：第 1 张凭证中字段“n17”出现了两次");
  EXPECT_EQ(fileFaultOf(many + R"("m17": 0}}])"), "(read)");
  // The same name in different objects is no repeat.
  EXPECT_EQ(fileFaultOf(R"([{"date": "2011-07-05", "lines": [{"date": 1}, {"date": 2, "x": {"date": 3}}]}])"),
            "(read)");
}

}  // namespace
}  // namespace qj::test
