// Vouchers given as data: the screen's refusals, numbering and storing of a
// batch, the delete rules and the import of a whole file.
#include <gtest/gtest.h>

#include "base/text_checks.h"
#include "vouchers/demo_data.h"
#include "vouchers/entry_fixture.h"
#include "vouchers/voucher_batch.h"
#include "vouchers/voucher_delete_rules.h"
#include "vouchers/voucher_draft.h"
#include "vouchers/voucher_import.h"
#include "vouchers/voucher_numbering_queries.h"
#include "vouchers/voucher_queries.h"

namespace qj::test {
namespace {

// A whole file as the import reads it: its vouchers, or the fault of the file.
using ImportedFile = std::variant<std::vector<vouchers::ImportedVoucher>, vouchers::ImportFileFault>;

ImportedFile readAll(const vouchers::VoucherFileReader& read) {
  std::vector<vouchers::ImportedVoucher> vouchers;
  if (auto fault = read([&](const vouchers::ImportedVoucher& voucher) { vouchers.push_back(voucher); })) return *fault;
  return vouchers;
}
ImportedFile ReadCsv(std::string_view text) {
  return readAll([text](const vouchers::VoucherSink& take) { return vouchers::ReadVoucherCsv(text, take); });
}
ImportedFile ReadJson(std::string_view text) {
  return readAll([text](const vouchers::VoucherSink& take) { return vouchers::ReadVoucherJson(text, take); });
}

using vouchers::CheckDraft;
using vouchers::DraftLine;
using vouchers::VoucherDraft;

DraftLine line(const std::string& subject, const char* debit, const char* credit, const std::string& summary = "摘要") {
  DraftLine out;
  out.summary = summary;
  out.subject = subject;
  out.debit = Money::parse(debit);
  out.credit = Money::parse(credit);
  return out;
}

DraftLine foreignLine(const std::string& subject, std::optional<int> moneyId, const char* rate, const char* foreign,
                      const char* debit, const char* credit) {
  DraftLine out = line(subject, debit, credit);
  out.moneyId = moneyId;
  out.rate = rate;
  out.foreign = Money::parse(foreign);
  return out;
}

VoucherDraft draftOf(std::vector<DraftLine> lines, const std::string& type = "记", Date date = Date(2011, 7, 5)) {
  VoucherDraft draft;
  draft.date = date;
  draft.type = type;
  draft.lines = std::move(lines);
  return draft;
}

class VoucherDraftTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    addVoucherType(1, "记");
    for (auto [id, name] : {std::pair{2, "收"}, {3, "付"}, {4, "转"}}) addVoucherType(id, name);
    host().reserved = {{vouchers::kReservedCash, "10001"}, {vouchers::kReservedBank, "10002"}};
  }
  vouchers::DraftResult check(const VoucherDraft& draft) {
    return CheckDraft(draft, vouchers::DraftBook::load(host()));
  }
  std::vector<vouchers::CheckedVoucher> ready(const std::vector<VoucherDraft>& drafts) {
    const auto book = vouchers::DraftBook::load(host());
    std::vector<vouchers::CheckedVoucher> out;
    for (const auto& draft : drafts) out.push_back(std::get<vouchers::CheckedVoucher>(CheckDraft(draft, book)));
    return out;
  }
  std::int64_t count(const std::string& table) {
    return db().queryOne("SELECT COUNT(*) AS N FROM " + table, {})->integer("N");
  }
};

TEST_P(VoucherDraftTest, EachCheckOfTheScreenRefusesWithItsMessageAndLine) {
  struct Case {
    const char* what;
    VoucherDraft draft;
    std::string message;
    std::optional<std::size_t> line;
  };
  const std::vector<Case> cases = {
      {"unknown type", draftOf({line("50001", "1", "0"), line("10001", "0", "1")}, "收"),
       "凭证字'收'不是本帐套可用的凭证字", std::nullopt},
      {"summary too long", draftOf({line("50001", "1", "0", std::string(41, 'x')), line("10001", "0", "1")}),
       "摘要不能超过40个字", 0},
      {"unknown subject", draftOf({line("50001", "1", "0"), line("999", "0", "1")}), "科目'999'不存在", 1},
      {"summary subject", draftOf({line("500", "1", "0"), line("10001", "0", "1")}), "科目'500'不是一个明细科目", 0},
      {"currency of a local subject",
       draftOf({foreignLine("50001", 1, "", "1", "6.8", "0"), line("10001", "0", "6.8")}),
       "科目'50001'不核算外币，币种只能为本位币", 0},
      {"other currency than the subject's",
       draftOf({foreignLine("1000202", 2, "", "1", "7.9", "0"), line("10001", "0", "7.9")}), "科目'1000202'只核算币种1",
       0},
      {"subject's currency missing", draftOf({foreignLine("1000204", {}, "", "1", "1", "0"), line("10001", "0", "1")}),
       "指定的核算外币不存在", 0},
      {"negative rate", draftOf({foreignLine("1000203", 1, "-6.8", "1", "6.8", "0"), line("10001", "0", "6.8")}),
       "汇率不能为负数", 0},
      {"ten integer digits", draftOf({line("50001", "1000000000", "0"), line("10001", "0", "1000000000")}),
       "凭证金额超过位数限制", 0},
      {"debit and credit", draftOf({line("50001", "1", "1"), line("10001", "0", "1")}),
       "贷方栏已有金额数据，\r\n不可再在借方栏输入", 0},
      {"foreign amount on a local line",
       draftOf({foreignLine("50001", {}, "", "5", "1", "0"), line("10001", "0", "1")}),
       "人民币金额请在借方栏或贷方栏输入", 0},
      {"local not foreign times rate",
       draftOf({foreignLine("1000202", {}, "", "100", "600", "0"), line("10001", "0", "600")}),
       "外币分录的本位币金额应为原币金额乘以汇率：680.00", 0},
      {"zero amount", draftOf({line("50001", "1", "0"), line("10001", "0", "1"), line("50002", "0", "0")}),
       "金额栏不能为0", 2},
      {"before the start", draftOf({line("50001", "1", "0"), line("10001", "0", "1")}, "记", Date(2011, 6, 30)),
       "凭证日期早于帐套的启用期间（2011年7月），不能输入凭证", std::nullopt},
      {"first summary", draftOf({line("50001", "1", "0", ""), line("10001", "0", "1")}), "第一条会计分录无摘要",
       std::nullopt},
      {"unbalanced", draftOf({line("50001", "1", "0"), line("10001", "0", "2")}), "借、贷方金额不等", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto result = check(c.draft);
    const auto* refused = std::get_if<vouchers::DraftRefusal>(&result);
    ASSERT_NE(refused, nullptr) << c.what;
    EXPECT_EQ(refused->refusal.text, c.message) << c.what;
    EXPECT_EQ(refused->line, c.line) << c.what;
  }
  host().book.AccountVoucherType = 2;
  const auto transfer = check(draftOf({line("50001", "1", "0"), line("10001", "0", "1")}, "转"));
  ASSERT_TRUE(std::holds_alternative<vouchers::DraftRefusal>(transfer));
  EXPECT_EQ(std::get<vouchers::DraftRefusal>(transfer).refusal.text, "转字凭证贷方不可以存在‘现金’或‘银行存款’科目");
}

TEST_P(VoucherDraftTest, AcceptedDraftsBecomeTheScreensLines) {
  auto result =
      check(draftOf({foreignLine("MY", {}, "", "100", "680", "0"), line("gl", "0", "0"), line("10001", "0", "680")}));
  // The help code "gl" names 500, a summary subject: refused. With 50001 the voucher passes.
  ASSERT_TRUE(std::holds_alternative<vouchers::DraftRefusal>(result));
  result = check(draftOf({foreignLine("MY", {}, "", "100", "680", "0"), line("XJ", "0", "680")}));
  ASSERT_TRUE(std::holds_alternative<vouchers::CheckedVoucher>(result));
  const auto& voucher = std::get<vouchers::CheckedVoucher>(result);
  ASSERT_EQ(voucher.lines.size(), 2U);
  EXPECT_EQ(voucher.lines[0].subjectCode, "1000202");
  EXPECT_EQ(voucher.lines[0].moneyId, 1);
  EXPECT_EQ(voucher.lines[0].rate, Money::parse("6.8"));
  EXPECT_EQ(voucher.lines[0].debit, Money::parse("680"));
  EXPECT_EQ(voucher.lines[0].foreignBuffer.text(), "100.00");
  EXPECT_EQ(voucher.lines[1].subjectCode, "10001");
  EXPECT_EQ(voucher.header.typeId, 1);
  EXPECT_EQ(voucher.header.billMaker, host().asUserName());
}

TEST_P(VoucherDraftTest, BatchNumbersContinueEachMonthAndEachTypeAndStoreZeroAsNull) {
  host().book.AccountVoucherType = 2;
  storeVoucher("201107000004", 4, 9, {{"50001", "1"}, {"50002", "0", "1"}});
  const auto transfer = draftOf({line("50001", "5", "0"), line("50002", "0", "5")}, "转");
  const auto receipt = draftOf({line("10001", "5", "0"), line("50002", "0", "5")}, "收");
  auto vouchers = ready({transfer, receipt, transfer, draftOf(transfer.lines, "转", Date(2011, 8, 1))});
  ASSERT_EQ(vouchers::StoreNewVouchers(host(), vouchers), std::nullopt);
  const auto numbers = [&](std::size_t i) {
    return vouchers[i].header.credId + "/" + std::to_string(*vouchers[i].header.credCode);
  };
  EXPECT_EQ(numbers(0), "201107000005/10");
  EXPECT_EQ(numbers(1), "201107000006/1");
  EXPECT_EQ(numbers(2), "201107000007/11");
  EXPECT_EQ(numbers(3), "201108000001/1");
  EXPECT_EQ(host().heldLocks["CREDWLOCK"], 0);
  const auto row = db().queryOne(
      "SELECT FENLUNO, DEBIT, CREDIT FROM VoucherDetail WHERE CREDID='201107000006' AND SUBJECTID='10001'", {});
  ASSERT_TRUE(row);
  EXPECT_EQ(row->integer("FENLUNO"), 0);
  EXPECT_EQ(row->money("DEBIT"), Money::parse("5"));
  EXPECT_TRUE(row->isNull("CREDIT"));
}

TEST_P(VoucherDraftTest, ABusyLockOrAFullMonthStoresNothing) {
  auto vouchers = ready({draftOf({line("50001", "5", "0"), line("50002", "0", "5")})});
  host().refusedLocks.insert("CREDWLOCK");
  EXPECT_EQ(vouchers::StoreNewVouchers(host(), vouchers)->text, "其他用户正在保存凭证，请稍后再保存。");
  host().refusedLocks.clear();
  storeVoucher("201107999999", 1, 1, {{"50001", "1"}, {"50002", "0", "1"}});
  auto two = ready({draftOf({line("50001", "5", "0"), line("50002", "0", "5")}, "记", Date(2011, 8, 3)),
                    draftOf({line("50001", "5", "0"), line("50002", "0", "5")})});
  EXPECT_EQ(vouchers::StoreNewVouchers(host(), two), vouchers::MonthFullRefusal());
  EXPECT_EQ(count("VoucherMaster"), 1);
  EXPECT_EQ(host().heldLocks["CREDWLOCK"], 0);
}

TEST_P(VoucherDraftTest, DeleteRefusalsComeInTheScreensOrder) {
  db().execute("INSERT INTO FixedAssetsCard (ID, CODE, NAME, CLEARFLAG) VALUES (7, 'A7', '车床', 'F')", {});
  db().execute("INSERT INTO FixedAssetsCard (ID, CODE, NAME, CLEARFLAG) VALUES (8, 'A8', '货车', 'T')", {});
  const auto refusal = [&](bool posted, bool checked, int kind, std::int64_t card) {
    vouchers::VoucherHeader header;
    header.posted = posted;
    header.checked = checked;
    header.sourceKind = kind;
    header.relevantBillId = card;
    const auto found = vouchers::DeleteRefusal(db(), header);
    return found ? found->text : std::string();
  };
  const std::string fixedAsset = "该张凭证为固定资产单据对应凭证，不能在此删除";
  EXPECT_EQ(refusal(true, true, 201, 0), "该张凭证已经被登帐，不能被删除");
  EXPECT_EQ(refusal(false, true, 201, 0), "该张凭证已经被审核，不能被删除");
  EXPECT_EQ(refusal(false, false, 201, 0), fixedAsset);
  EXPECT_EQ(refusal(false, false, 200, 7), fixedAsset);
  EXPECT_EQ(refusal(false, false, 200, 9), "");
  EXPECT_EQ(refusal(false, false, 202, 7), "");
  EXPECT_EQ(refusal(false, false, 202, 8), fixedAsset);
  EXPECT_EQ(refusal(false, false, 0, 8), "");
}

TEST_P(VoucherDraftTest, ImportStoresAllOrWithSkipBadOnlyTheGoodOnes) {
  const std::string csv =
      "凭证,日期,凭证字,摘要,科目,借方,贷方\n"
      "A,2011-07-05,记,报销,50001,100.10,\n"
      "B,2011-07-06,记,差旅,50002,20,\n"
      "A,,,报销,10001,,100.10\n"
      "B,,,差旅,999,,20\n"
      "C,2011-07-07,记,付款,50001,1.5x,\n";
  const auto read = [&](const vouchers::VoucherSink& take) { return vouchers::ReadVoucherCsv(csv, take); };
  auto report = vouchers::ImportVouchers(host(), read, {});
  ASSERT_EQ(report.rejected.size(), 2U);
  EXPECT_EQ(report.rejected[0].key, "B");
  EXPECT_EQ(report.rejected[0].where, "第 5 行");
  EXPECT_EQ(report.rejected[0].refusal.text, "科目'999'不存在");
  EXPECT_EQ(report.rejected[1].refusal.text, "第 6 行：借方：金额格式不正确：“1.5x”");
  EXPECT_EQ(report.stored.count, 0U);
  EXPECT_EQ(count("VoucherMaster"), 0);
  report = vouchers::ImportVouchers(host(), read, {.skipBad = true});
  ASSERT_EQ(report.stored.count, 1U);
  EXPECT_EQ(report.stored.first, "201107000001");
  EXPECT_EQ(count("VoucherDetail"), 2);
  const auto total = db().queryOne("SELECT SUM(DEBIT) AS D FROM VoucherDetail", {});
  EXPECT_EQ(total->money("D"), Money::parse("100.10"));
}

// Enough vouchers that the rows go to the book in several bulk writes.
TEST_P(VoucherDraftTest, ALargeImportKeepsEveryVouchersLinesAndNumbersAndClearsRowsLeftUnderItsIdentifiers) {
  // Nobody's rows under the identifiers the import will hand out.
  db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT) VALUES ('201107000002', 0, '50001', :d)",
               {{"d", Money::parse("999")}});
  db().execute("INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT) VALUES ('201107000003', '1', :d)",
               {{"d", Money::parse("999")}});
  constexpr int kVouchers = 3000;  // 12,000 rows
  std::string csv = "凭证,日期,摘要,科目,借方,贷方\n";
  for (int n = 1; n <= kVouchers; ++n) {
    const std::string key = std::to_string(n);
    const std::string bad = n == 1500 ? "999" : "50002";
    csv += key + ",2011-07-05,第" + key + "张," + bad + "," + key + ",\n";
    csv += key + ",,第" + key + "张,50001,1,\n";
    csv += key + ",,第" + key + "张,50002,," + std::to_string(n + 1) + "\n";
  }
  const auto read = [&](const vouchers::VoucherSink& take) { return vouchers::ReadVoucherCsv(csv, take); };
  const auto report = vouchers::ImportVouchers(host(), read, {.skipBad = true});
  ASSERT_EQ(report.rejected.size(), 1U);
  EXPECT_EQ(report.rejected[0].key, "1500");
  EXPECT_EQ(report.read, static_cast<std::size_t>(kVouchers));
  EXPECT_EQ(report.stored.count, static_cast<std::size_t>(kVouchers - 1));
  EXPECT_EQ(report.stored.first, "201107000001");
  EXPECT_EQ(report.stored.last, "201107002999");
  EXPECT_EQ(host().heldLocks["CREDWLOCK"], 0);

  EXPECT_EQ(count("VoucherMaster"), kVouchers - 1);
  EXPECT_EQ(count("VoucherDetail"), 3 * (kVouchers - 1));
  EXPECT_EQ(count("FluxionDistribute"), 0);
  const auto numbers = db().queryOne(
      "SELECT COUNT(DISTINCT CREDCODE) AS N, MIN(CREDCODE) AS LO, MAX(CREDCODE) AS HI FROM VoucherMaster", {});
  EXPECT_EQ(numbers->integer("N"), kVouchers - 1);
  EXPECT_EQ(numbers->integer("LO"), 1);
  EXPECT_EQ(numbers->integer("HI"), kVouchers - 1);
  const auto sums = db().queryOne("SELECT SUM(DEBIT) AS D, SUM(CREDIT) AS C FROM VoucherDetail", {});
  EXPECT_EQ(sums->money("D"), sums->money("C"));
  // The file's 2,000th voucher is the 1,999th stored: its lines in file order.
  std::string lines;
  for (const data::Row& row :
       db().query("SELECT d.FENLUNO, d.SUBJECTID, d.DEBIT, d.CREDIT, d.Precis FROM VoucherDetail d "
                  "JOIN VoucherMaster m ON m.CREDID = d.CREDID WHERE m.CREDCODE = 1999 ORDER BY d.FENLUNO",
                  {}))
    lines += row.text("FENLUNO") + " " + row.text("SUBJECTID") + " " + row.money("DEBIT").toString(2) + " " +
             row.money("CREDIT").toString(2) + " " + row.text("Precis") + "\n";
  EXPECT_EQ(lines,
            "0 50002 2000.00 0.00 第2000张\n"
            "1 50001 1.00 0.00 第2000张\n"
            "2 50002 0.00 2001.00 第2000张\n");
}

TEST_P(VoucherDraftTest, AFileBrokenPartWayOrAFailedWriteStoresNothingAndFreesTheLock) {
  const std::string voucher = R"({"date": "2011-07-05", "type": "记", "lines": [
                                  {"summary": "s", "subject": "50001", "debit": "1"},
                                  {"summary": "s", "subject": "50002", "credit": "1"}]})";
  const std::string broken = "[" + voucher + ", " + voucher + ", {\"date\": }]";
  auto report = vouchers::ImportVouchers(
      host(), [&](const vouchers::VoucherSink& take) { return vouchers::ReadVoucherJson(broken, take); }, {});
  ASSERT_TRUE(report.fileFault);
  EXPECT_EQ(report.fileFault->text, "JSON 格式错误：第 5 行附近");
  EXPECT_EQ(report.read, 2U);
  EXPECT_TRUE(report.rejected.empty());
  EXPECT_EQ(report.stored.count, 0U);
  EXPECT_EQ(count("VoucherMaster"), 0);
  EXPECT_EQ(host().heldLocks["CREDWLOCK"], 0);

  const std::string good = "[" + voucher + ", " + voucher + "]";
  const auto readGood = [&](const vouchers::VoucherSink& take) { return vouchers::ReadVoucherJson(good, take); };
  failOn("VoucherDetail", "INSERT");
  EXPECT_THROW(vouchers::ImportVouchers(host(), readGood, {}), data::DbError);
  heal("VoucherDetail");
  EXPECT_EQ(count("VoucherMaster"), 0);
  EXPECT_EQ(host().heldLocks["CREDWLOCK"], 0);
  EXPECT_FALSE(db().inTransaction());
  report = vouchers::ImportVouchers(host(), readGood, {});
  EXPECT_EQ(report.stored.count, 2U);
  EXPECT_EQ(count("VoucherDetail"), 4);
}

TEST_P(VoucherDraftTest, MalformedFilesAndRowsAreNamedByLine) {
  EXPECT_EQ(std::get<vouchers::ImportFileFault>(ReadCsv("日期,科目\n")).text, "标题行缺少“凭证”列");
  const auto mixed = std::get<std::vector<vouchers::ImportedVoucher>>(
      ReadCsv("凭证,日期,科目,借方\n1,2011-07-05,50001,1\n1,2011-07-06,10001,1\n2,2011-13-01,1,1\n"));
  EXPECT_EQ(mixed[0].fault, "第 3 行：凭证“1”的日期与第 2 行不同");
  EXPECT_EQ(mixed[1].fault, "第 4 行：日期应为 YYYY-MM-DD：“2011-13-01”");
  EXPECT_EQ(std::get<vouchers::ImportFileFault>(ReadJson("[\n{\"date\": }]")).text, "JSON 格式错误：第 2 行附近");
  // A JSON number keeps its digits: 0.1 + 0.2 is exactly 0.3 here.
  const auto json = std::get<std::vector<vouchers::ImportedVoucher>>(ReadJson(
      R"([{"date": "2011-07-05", "type": "记", "attachments": 2, "lines": [
            {"summary": "s", "subject": "50001", "debit": 0.1}, {"summary": "s", "subject": "50002", "debit": 0.2},
            {"summary": "s", "subject": "10001", "credit": 0.30}]},
          {"date": "2011-07-05", "lines": [{"subjekt": "1"}]}])"));
  ASSERT_EQ(json.size(), 2U);
  EXPECT_FALSE(json[0].fault);
  EXPECT_EQ(json[0].draft.attachments, 2);
  EXPECT_EQ(json[0].draft.lines[0].debit + json[0].draft.lines[1].debit, json[0].draft.lines[2].credit);
  EXPECT_EQ(json[1].fault, "第 2 张凭证第 1 条分录：不认识的字段“subjekt”");
  EXPECT_TRUE(std::holds_alternative<vouchers::CheckedVoucher>(check(json[0].draft)));
}

TEST_P(VoucherDraftTest, StrictReadingRefusesWhatALenientReaderWouldDropOrStore) {
  const auto fileFault = [](const ImportedFile& read) {
    const auto* fault = std::get_if<vouchers::ImportFileFault>(&read);
    return fault ? fault->text : std::string("(read)");
  };
  const auto firstFault = [](const ImportedFile& read) {
    const auto* vouchers = std::get_if<std::vector<vouchers::ImportedVoucher>>(&read);
    return vouchers && !vouchers->empty() && vouchers->front().fault ? *vouchers->front().fault : std::string("(none)");
  };
  const std::string good = R"([{"date": "2011-07-05", "lines": [{"subject": "50001", "debit": "1"}]}])";
  EXPECT_EQ(firstFault(ReadJson(good)), "(none)");
  // Text after the array used to be dropped without a word.
  EXPECT_EQ(fileFault(ReadJson(good + "\n[{\"date\": \"2011-07-06\"}]")),
            "JSON 格式错误：第 2 行：凭证数组之后还有其他内容");
  EXPECT_EQ(fileFault(ReadJson(
                R"([{"date": "2011-07-05", "lines": []}, {"date": "2011-07-05", "date": "2011-07-09", "lines": []}])")),
            "JSON 格式错误：第 2 张凭证中字段“date”出现了两次");
  EXPECT_EQ(
      fileFault(ReadJson(R"([{"date": "2011-07-05", "lines": [{"subject": "50001", "debit": "1", "debit": "2"}]}])")),
      "JSON 格式错误：第 1 张凭证中字段“debit”出现了两次");
  EXPECT_EQ(fileFault(ReadJson("[{\"date\": \"2011-07-05\", \"lines\": [{\"summary\": \"\xC3\x28\"}]}]")).substr(0, 17),
            "JSON 格式错误");
  EXPECT_EQ(firstFault(ReadJson(R"([{"date": "2011-07-05", "lines": [{"summary": "a\u0000b", "subject": "50001"}]}])")),
            "第 1 张凭证第 1 条分录：摘要含有换行、制表符或其他控制字符");

  EXPECT_EQ(fileFault(ReadCsv("凭证,日期,科目,借方,debit\n1,2011-07-05,50001,1,2\n")), "第 1 行：“借方”列出现了两次");
  EXPECT_EQ(firstFault(ReadCsv("凭证,日期,科目,摘要\n1,2011-07-05,50001,\"两\n行\"\n")),
            "第 2 行：摘要含有换行、制表符或其他控制字符");
  EXPECT_EQ(firstFault(ReadCsv("凭证,日期,科目,摘要\n1,2011-07-05,50001,\xB1\xA8\xCF\xFA\n")),
            "第 2 行：摘要含有不是 UTF-8 编码的字节（文件应以 UTF-8 编码保存）");
  // One amount rule for every way in: groups of three only, two decimals at most.
  EXPECT_EQ(firstFault(ReadCsv("凭证,日期,科目,借方\n1,2011-07-05,50001,\"1,5\"\n")),
            "第 2 行：借方：金额格式不正确：“1,5”");
  EXPECT_EQ(firstFault(ReadCsv("凭证,日期,科目,借方\n1,2011-07-05,50001,1.005\n")),
            "第 2 行：借方：金额最多只能有两位小数：1.005");
  EXPECT_EQ(firstFault(ReadCsv("凭证,日期,科目,借方\n1,2011-07-05,50001,\"1,500.25\"\n")), "(none)");
}

TEST(TextChecks, WellFormedUtf8WithoutControlCharactersIsTheOnlyTextLetIn) {
  EXPECT_TRUE(base::IsValidUtf8("现金 cash €"));
  EXPECT_TRUE(base::IsValidUtf8("\xF0\x9F\x98\x80"));   // U+1F600
  EXPECT_FALSE(base::IsValidUtf8("\xB1\xA8\xCF\xFA"));  // GBK bytes
  EXPECT_FALSE(base::IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(base::IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(base::IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(base::IsValidUtf8("\xE7\x8E"));          // cut short
  EXPECT_FALSE(base::HasControlCharacter("报销 差旅"));
  EXPECT_TRUE(base::HasControlCharacter(std::string("a\0b", 3)));
  EXPECT_TRUE(base::HasControlCharacter("a\tb"));
  EXPECT_TRUE(base::HasControlCharacter("a\x7F"));
}

TEST_P(VoucherDraftTest, DemoVouchersAreTheSameForTheSameSeedAndBalanced) {
  const auto book = vouchers::DraftBook::load(host());
  const auto generate = [&](std::uint64_t seed) {
    vouchers::DemoRandom random(seed);
    return vouchers::DemoVouchers(db(), book, random, 200);
  };
  const auto first = generate(11);
  const auto again = generate(11);
  const auto other = generate(12);
  ASSERT_EQ(first.size(), 200U);
  std::size_t sameAsOther = 0;
  for (std::size_t i = 0; i < first.size(); ++i) {
    const auto result = CheckDraft(first[i], book);
    ASSERT_TRUE(std::holds_alternative<vouchers::CheckedVoucher>(result))
        << i << std::get<vouchers::DraftRefusal>(result).refusal.text;
    EXPECT_GE(first[i].lines.size(), 2U);
    EXPECT_LE(first[i].lines.size(), 8U);
    ASSERT_EQ(first[i].lines.size(), again[i].lines.size());
    for (std::size_t j = 0; j < first[i].lines.size(); ++j) {
      EXPECT_EQ(first[i].lines[j].subject, again[i].lines[j].subject);
      EXPECT_EQ(first[i].lines[j].debit, again[i].lines[j].debit);
      EXPECT_EQ(first[i].lines[j].credit, again[i].lines[j].credit);
      EXPECT_EQ(first[i].lines[j].foreign, again[i].lines[j].foreign);
    }
    if (first[i].lines.front().debit == other[i].lines.front().debit) ++sameAsOther;
  }
  EXPECT_LT(sameAsOther, 10U);
}

QJ_ON_EVERY_ENGINE(VoucherDraftTest);

}  // namespace
}  // namespace qj::test
