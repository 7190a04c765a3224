// A seeded book with currencies and the helpers the opening-balance tests share.
#pragma once

#include <map>
#include <string>

#include "base/code_structure.h"
#include "data/row.h"
#include "support/package_fixture.h"

namespace qj::test {

class OpeningTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    db().execute(
        "INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (0, '人民币', 10000), (1, '美元', 68000), "
        "(2, '港币', 8800)");
  }

  // dc 'T' debit or 'F' credit side; detail or summary; foreign 0, 1 (in `money`) or 2.
  void subject(const std::string& code, char dc, bool detail, int foreign = 0, int money = 0) {
    db().execute(
        "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, VorWBFlag, MONEYID) "
        "VALUES (:code, :name, :dc, :detail, :foreign, :money)",
        {{"code", code},
         {"name", "科目" + code},
         {"dc", std::string(1, dc)},
         {"detail", detail ? "T" : "F"},
         {"foreign", foreign},
         {"money", money}});
  }
  // Writes amounts (column -> decimal text) into an existing opening row.
  void amounts(const std::string& key, const std::map<std::string, std::string>& values) {
    for (const auto& [column, text] : values)
      db().execute("UPDATE SubjectStartData SET " + column + "=:v WHERE MNYIDSUBJECTID=:key",
                   {{"v", Money::parse(text)}, {"key", key}});
  }
  Money figure(const std::string& key, const std::string& column) {
    const auto row =
        db().queryOne("SELECT " + column + " AS V FROM SubjectStartData WHERE MNYIDSUBJECTID=:key", {{"key", key}});
    return row ? row->money("V") : Money::fromInteger(-999999);
  }
  std::string keys(const std::string& where = "1=1") {
    std::string out;
    for (const auto& row :
         db().query("SELECT MNYIDSUBJECTID FROM SubjectStartData WHERE " + where + " ORDER BY MNYIDSUBJECTID"))
      out += row.text("MNYIDSUBJECTID") + " ";
    return out;
  }
  // Every row of a table as text, to compare a table before and after.
  std::string snapshot(const std::string& table, const std::string& order) {
    std::string out;
    for (const auto& row : db().query("SELECT * FROM " + table + " ORDER BY " + order)) {
      for (std::size_t i = 0; i < row.size(); ++i) out += row.at(i).isNull() ? "~|" : data::TextOf(row.at(i)) + "|";
      out += "\n";
    }
    return out;
  }
  std::string book() {
    return snapshot("SubjectStartData", "MNYIDSUBJECTID") + snapshot("RateInit", "MONEYID") +
           snapshot("Balance", "YEARMON, MONEYID, SUBJECTID") + snapshot("ProfitAndLoss", "SUBJECTID, YEARMON");
  }
  // Makes the next matching change of `table` fail inside the engine.
  void failOn(const std::string& table, const std::string& event, const std::string& when = "") {
    if (GetParam() == data::Engine::Sqlite) {
      db().executeScript("CREATE TRIGGER injected_failure BEFORE " + event + " ON " + table +
                         (when.empty() ? "" : " WHEN " + when) + " BEGIN SELECT RAISE(ABORT, 'injected'); END;");
    } else {
      db().executeScript(
          "CREATE FUNCTION injected_failure() RETURNS trigger LANGUAGE plpgsql AS "
          "$$BEGIN RAISE EXCEPTION 'injected'; END$$; CREATE TRIGGER injected_failure BEFORE " +
          event + " ON " + table + " FOR EACH ROW " + (when.empty() ? "" : "WHEN (" + when + ") ") +
          "EXECUTE FUNCTION injected_failure();");
    }
  }
  base::CodeStructure structure() { return base::CodeStructure(host().book.SubjectLevelLen); }
};

}  // namespace qj::test
