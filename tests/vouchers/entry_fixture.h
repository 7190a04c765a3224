// A book for the voucher entry tests: a small chart with cash, bank and a
// foreign-currency bank account, two currencies and helpers that store
// vouchers the way the save does.
#pragma once

#include <string>

#include "support/package_fixture.h"

namespace qj::test {

class EntryTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    subject("100", "货币资金");
    subject("10001", "现金", "T", 0, 0, "XJ");
    subject("10002", "银行存款");
    subject("1000201", "工商银行", "T", 0, 0, "GH");
    subject("1000202", "美元户", "T", 1, 1, "MY");
    subject("1000203", "外币户", "F", 2, 0);
    subject("1000204", "日元户", "F", 1, 7);  // a currency the table lacks
    subject("500", "管理费用", "F", 0, 0, "gl");
    subject("50001", "办公费", "F", 0, 0, "BGF");
    subject("50002", "差旅费", "F", 0, 0, "bgf");  // the same help code as 50001, later in code order
    currency(0, "人民币", "1");
    currency(1, "美元", "6.8");
    currency(2, "欧元", "7.9");
    currency(99, "综合", "1");
  }

  void subject(const std::string& code, const std::string& name, const std::string& cash = "F", int foreign = 0,
               int moneyId = 0, const std::string& helpCode = {}) {
    db().execute(
        "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, VorCash, VorWBFlag, MONEYID, HELPCODE) "
        "VALUES (:code, :name, 'T', 'T', :cash, :foreign, :money, :help)",
        {{"code", code}, {"name", name}, {"cash", cash}, {"foreign", foreign}, {"money", moneyId}, {"help", helpCode}});
  }

  void currency(int moneyId, const std::string& name, const char* rate) {
    db().execute("INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (:id, :name, :rate)",
                 {{"id", moneyId}, {"name", name}, {"rate", Money::parse(rate)}});
  }

  struct StoredLine {
    std::string subject;
    const char* debit = "0";
    const char* credit = "0";
    std::string summary = "摘要";
    int moneyId = 0;
    const char* rate = "0";
    const char* foreign = "0";
    bool readOnly = false;
  };

  // A voucher header as a save stores it, and its lines.
  void storeVoucher(const std::string& credId, int typeId, int code, const std::vector<StoredLine>& lines,
                    const std::string& maker = "测试员", bool checked = false, bool posted = false) {
    db().execute(
        "INSERT INTO VoucherMaster (CREDID, CREDNO, AccountVoucherTypeID, CREDCODE, CREDDATE, BILLNUMBER, BILLMAKER, "
        "CHECKFLAG, POSTFLAG, AccountVoucherType, RELEVANTBILLID, PRINTSTYLEID) "
        "VALUES (:id, :no, :type, :code, :date, 0, :maker, :checked, :posted, 0, 0, 20)",
        {{"id", credId},
         {"no", std::stoi(credId.substr(6))},
         {"type", typeId},
         {"code", code},
         {"date", Date(std::stoi(credId.substr(0, 4)), std::stoi(credId.substr(4, 2)), 10)},
         {"maker", maker},
         {"checked", checked ? "T" : "F"},
         {"posted", posted ? "T" : "F"}});
    int fenlu = 0;
    for (const StoredLine& line : lines) {
      const Money debit = Money::parse(line.debit);
      const Money credit = Money::parse(line.credit);
      const Money foreign = Money::parse(line.foreign);
      const auto orNull = [](Money m) { return m.isZero() ? data::Value() : data::Value(m); };
      db().execute(
          "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis, ATTRFLAG, MONEYID, RATE, READONLY, "
          "RAWDEBIT, RAWCREDIT, DEBIT, CREDIT) VALUES (:id, :no, :subject, :summary, 0, :money, :rate, :readonly, "
          ":rawdebit, :rawcredit, :debit, :credit)",
          {{"id", credId},
           {"no", fenlu++},
           {"subject", line.subject},
           {"summary", line.summary},
           {"money", line.moneyId},
           {"rate", Money::parse(line.rate)},
           {"readonly", line.readOnly ? "T" : "F"},
           {"rawdebit", debit.isZero() ? data::Value() : orNull(foreign)},
           {"rawcredit", debit.isZero() ? orNull(foreign) : data::Value()},
           {"debit", orNull(debit)},
           {"credit", orNull(credit)}});
    }
  }

  void addVoucherType(int id, const std::string& name) {
    db().execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (:id, :name)", {{"id", id}, {"name", name}});
  }
};

}  // namespace qj::test
