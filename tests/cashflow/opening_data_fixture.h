// A book with a small cash-flow item tree, for the opening-data and item
// archive tests: 01 经营活动 (summary) over 0101 销售收到的现金 (inflow) and
// 0102 购买支付的现金 (outflow), and 02 投资活动, a detail outflow item.
#pragma once

#include <string>
#include <vector>

#include "data/row.h"
#include "support/package_fixture.h"

namespace qj::test {

class CashFlowBookTest : public PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    item("0102", "购买支付的现金", false, true);
    item("01", "经营活动", true, false);
    item("0101", "销售收到的现金", true, true);
    item("02", "投资活动", false, true);
  }

  void item(const std::string& code, const std::string& name, bool inflow, bool detail) {
    db().execute("INSERT INTO Fluxion (CASHID, NAME, DCFLAG, DETAILFLAG) VALUES (:code, :name, :dc, :detail)",
                 {{"code", code}, {"name", name}, {"dc", inflow ? "T" : "F"}, {"detail", detail ? "T" : "F"}});
  }
  void startIn(int month) {
    db().execute("UPDATE AccountState SET STARTDATE=:start", {{"start", Date(2011, month, 1)}});
    host().ReloadAccountBooksData();
  }
  void openingRow(const std::string& period, const std::string& code, const char* debit, const char* credit) {
    db().execute("INSERT INTO FluxionInit (YearMon, CashID, Debit, Credit) VALUES (:ym, :code, :d, :c)",
                 {{"ym", period}, {"code", code}, {"d", Money::parse(debit)}, {"c", Money::parse(credit)}});
  }
  // A period's stored rows as "code:inflow:outflow" in code order.
  std::vector<std::string> stored(const std::string& period) {
    std::vector<std::string> out;
    for (const auto& row : db().query("SELECT CashID, Debit, Credit FROM FluxionInit WHERE YearMon=:ym ORDER BY CashID",
                                      {{"ym", period}}))
      out.push_back(row.text("CashID") + ":" + row.money("Debit").toString(2) + ":" + row.money("Credit").toString(2));
    return out;
  }
};

}  // namespace qj::test
