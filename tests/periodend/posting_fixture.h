// A book in its start month (2011-07) with a small three-level chart and one
// foreign currency, helpers to write vouchers, and the rules every Balance
// table must obey after any posting.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/money.h"
#include "periodend/posting.h"
#include "support/package_fixture.h"

namespace qj::test {

inline Money Yuan(const char* text) { return Money::parse(text); }

class PostingTest : public PackageTest {
 protected:
  static constexpr int kDollar = 1;

  void SetUp() override {
    PackageTest::SetUp();
    // 101 现金 (detail), 102 银行 > 10201 (detail), 10202 > 1020201, 1020202;
    // 201 应付 > 20101; 501 收入 (detail); 161 固定资产 (detail), 165 累计折旧.
    for (const char* code : {"101", "1020201", "1020202", "10201", "20101", "501", "161", "165"}) addDetail(code);
    for (const char* code : {"102", "10202", "201"}) addSummary(code);
  }

  void addDetail(const std::string& code) { addSubject(code, "科目" + code); }
  void addSummary(const std::string& code) {
    db().execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:c, :n, 'T', 'F')",
                 {{"c", code}, {"n", "科目" + code}});
  }

  // A voucher of July 2011 numbered `no`, word 1 and number `no` unless given.
  std::string voucher(int no, bool audited = false, int kind = 0, std::int64_t bill = 0) {
    const std::string id = "201107" + IntToStr(no, 6);
    db().execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, CREDDATE, AccountVoucherTypeID, CREDCODE, CHECKFLAG, POSTFLAG, "
        "BILLMAKER, AccountVoucherType, RELEVANTBILLID) VALUES (:id, :no, :date, 1, :code, :checked, 'F', '制单', "
        ":kind, :bill)",
        {{"id", id},
         {"no", no},
         {"date", Date(2011, 7, 1 + no % 28)},
         {"code", nextCode_++},
         {"checked", audited ? "T" : "F"},
         {"kind", kind},
         {"bill", bill == 0 ? data::Value() : data::Value(bill)}});
    return id;
  }
  void line(const std::string& credId, const std::string& subject, Money debit, Money credit, int moneyId = 0,
            Money rawDebit = {}, Money rawCredit = {}) {
    const auto orNull = [](Money m) { return m.isZero() ? data::Value() : data::Value(m); };
    db().execute(
        "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, RAWDEBIT, RAWCREDIT, DEBIT, CREDIT) VALUES "
        "(:id, :no, :s, :m, :rd, :rc, :d, :c)",
        {{"id", credId},
         {"no", nextLine_[credId]++},
         {"s", subject},
         {"m", moneyId},
         {"rd", orNull(rawDebit)},
         {"rc", orNull(rawCredit)},
         {"d", orNull(debit)},
         {"c", orNull(credit)}});
  }

  periodend::PostingContext context() { return periodend::PostingContextOf(host()); }
  std::int64_t post() { return periodend::PostCurrentPeriod(db(), context()); }

  std::string postFlag(const std::string& credId) {
    return db()
        .queryOne("SELECT POSTFLAG, BILLPOST FROM VoucherMaster WHERE CREDID=:id", {{"id", credId}})
        ->text("POSTFLAG");
  }
  // Every Balance row, every column, as text: for comparing whole tables.
  std::vector<std::string> balanceTable() {
    std::vector<std::string> out;
    for (const data::Row& row : db().query("SELECT * FROM Balance ORDER BY YEARMON, MONEYID, SUBJECTID")) {
      std::string text;
      for (std::size_t i = 0; i < row.size(); ++i) text += (row.at(i).isNull() ? "~" : data::TextOf(row.at(i))) + "|";
      out.push_back(text);
    }
    return out;
  }
  std::vector<std::string> voucherFlags() {
    std::vector<std::string> out;
    for (const data::Row& row : db().query("SELECT CREDID, POSTFLAG, BILLPOST FROM VoucherMaster ORDER BY CREDID"))
      out.push_back(row.text("CREDID") + row.text("POSTFLAG") + row.text("BILLPOST"));
    return out;
  }
  std::optional<data::Row> balance(int moneyId, const std::string& subject) {
    return db().queryOne("SELECT * FROM Balance WHERE YEARMON='201107' AND MONEYID=:m AND SUBJECTID=:s",
                         {{"m", moneyId}, {"s", subject}});
  }

  // Checks the rules every posted Balance table obeys, over the whole table.
  void expectBalanceRules();

 private:
  int nextCode_ = 1;
  std::map<std::string, int> nextLine_;
};

}  // namespace qj::test
