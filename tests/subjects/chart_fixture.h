// A book with a small chart, documents on its subjects, and the helpers the
// chart-of-accounts tests share.
#pragma once

#include <string>
#include <vector>

#include "data/period.h"
#include "data/schema.h"
#include "support/package_fixture.h"

namespace qj::test {

class ChartTest : public PackageTest {
 protected:
  // attr: ATTRFLAG; special: SPECIALEVELCODE (0 none).
  void subject(const std::string& code, bool detail = true, int attr = 0, int special = 0, std::int64_t relevant = 0) {
    db().execute(
        "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, ATTRFLAG, SPECIALEVELCODE, RELEVANTID) "
        "VALUES (:code, :name, 'T', :detail, :attr, :special, :relevant)",
        {{"code", code},
         {"name", "科目" + code},
         {"detail", detail ? "T" : "F"},
         {"attr", attr},
         {"special", special == 0 ? data::Value() : data::Value(special)},
         {"relevant", relevant == 0 ? data::Value() : data::Value(static_cast<long long>(relevant))}});
  }
  void line(const std::string& credId, int fenlu, const std::string& code, const std::string& debit) {
    db().execute(
        "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, MONEYID, DEBIT) VALUES (:id, :n, :code, 0, :d)",
        {{"id", credId}, {"n", fenlu}, {"code", code}, {"d", Money::parse(debit)}});
  }
  void balance(const std::string& yearMon, const std::string& code, const std::string& endDebit) {
    db().execute("INSERT INTO Balance (YEARMON, MONEYID, SUBJECTID, EDEBIT) VALUES (:ym, 0, :code, :e)",
                 {{"ym", yearMon}, {"code", code}, {"e", Money::parse(endDebit)}});
  }
  void opening(const std::string& currency, const std::string& code, const std::string& amount) {
    db().execute(
        "INSERT INTO SubjectStartData (MNYIDSUBJECTID, MONEYID, SUBJECTID, NAME, DCFLAG, DETAILFLAG, Balance) "
        "VALUES (:key, :money, :code, :name, 'T', 'T', :b)",
        {{"key", currency + code},
         {"money", std::stoi(currency)},
         {"code", code},
         {"name", "科目" + code},
         {"b", Money::parse(amount)}});
  }

  // Voucher lines, a year of balances, profit-and-loss figures, opening rows and
  // the sibling modules' rows on one subject (the cost module's only when asked).
  void useEverywhere(const std::string& code, bool costMeans = false) {
    line("201107000001", 1, code, "100");
    line("201107000002", 2, code, "50");
    for (int month = 1; month <= 12; ++month) balance("2011" + IntToStr(month, 2), code, "150");
    db().execute("INSERT INTO ProfitAndLoss (SUBJECTID, YEARMON, DEBIT) VALUES (:c, '201107', :d)",
                 {{"c", code}, {"d", Money::parse("150")}});
    opening("00", code, "300");
    opening("99", code, "300");
    for (const char* table : {"Bank", "Discount", "IncomePayoutType"})
      db().execute(std::string("INSERT INTO ") + table + " (ID, NAME, SUBJECTID) VALUES (1, '往来', :c)",
                   {{"c", code}});
    db().execute("INSERT INTO FixedAssetsCard (ID, CODE, SUBJECTID) VALUES (1, 'GZ-1', :c)", {{"c", code}});
    db().execute(
        "INSERT INTO EmployeeTypeLaborage (EmployeeTypeID, TransferCommodityID, DSubjectID, CSubjectID) "
        "VALUES (1, 1, :c, :c)",
        {{"c", code}});
    if (costMeans)
      db().execute("INSERT INTO CostMeans (ID, iSubjectID, sSubjectID, pSubjectID) VALUES (1, :c, :c, '501')",
                   {{"c", code}});
  }
  // How many rows of the documents and sibling tables carry the code.
  std::int64_t referencesTo(const std::string& code) {
    std::int64_t total = 0;
    for (const char* sql :
         {"SELECT COUNT(*) FROM VoucherDetail WHERE SUBJECTID=:c", "SELECT COUNT(*) FROM Bank WHERE SUBJECTID=:c",
          "SELECT COUNT(*) FROM Discount WHERE SUBJECTID=:c",
          "SELECT COUNT(*) FROM IncomePayoutType WHERE SUBJECTID=:c",
          "SELECT COUNT(*) FROM FixedAssetsCard WHERE SUBJECTID=:c",
          "SELECT COUNT(*) FROM EmployeeTypeLaborage WHERE DSubjectID=:c AND CSubjectID=:c",
          "SELECT COUNT(*) FROM CostMeans WHERE iSubjectID=:c AND sSubjectID=:c"})
      total += count(sql, {{"c", code}});
    return total;
  }

  std::int64_t count(const std::string& sql, const data::Params& params = {}) {
    return data::IntegerOf(db().scalar(sql, params));
  }
  std::string text(const std::string& sql, const data::Params& params = {}) {
    return data::TextOf(db().scalar(sql, params));
  }
  std::string detailFlag(const std::string& code) {
    return text("SELECT DETAILFLAG FROM Subject WHERE SUBJECTID=:c", {{"c", code}});
  }
  std::string lastMessage() { return host().messages.empty() ? std::string() : host().messages.back().text; }
  void answerYes() { host().answers.push_back(msgbox::IdYes); }

  // Every row of every table, to tell that a failed change left the book as it was.
  std::string book() {
    std::string out;
    for (const auto& table : data::SchemaTables()) {
      std::string order;
      for (std::size_t i = 1; i <= table.columns.size(); ++i) order += (i > 1 ? ", " : "") + std::to_string(i);
      for (const auto& row : db().query("SELECT * FROM " + table.name + " ORDER BY " + order)) {
        out += table.name + ":";
        for (std::size_t i = 0; i < row.size(); ++i) out += row.at(i).isNull() ? "~|" : data::TextOf(row.at(i)) + "|";
        out += "\n";
      }
    }
    return out;
  }
  // Makes the next change of that kind on `table` fail inside the engine.
  void failOn(const std::string& table, const std::string& event) {
    if (GetParam() == data::Engine::Sqlite) {
      db().executeScript("CREATE TRIGGER injected_failure BEFORE " + event + " ON " + table +
                         " BEGIN SELECT RAISE(ABORT, 'injected'); END;");
    } else {
      db().executeScript(
          "CREATE FUNCTION injected_failure() RETURNS trigger LANGUAGE plpgsql AS "
          "$$BEGIN RAISE EXCEPTION 'injected'; END$$; CREATE TRIGGER injected_failure BEFORE " +
          event + " ON " + table + " FOR EACH ROW EXECUTE FUNCTION injected_failure();");
    }
  }
};

}  // namespace qj::test
