// A book with a small cash-flow item tree, cash and non-cash subjects, and
// the helpers the allocation tests share.
#pragma once

#include <string>
#include <vector>

#include "data/row.h"
#include "support/package_fixture.h"

namespace qj::test {

class AllocationTest : public PackageTest {
 protected:
  static constexpr const char* kVoucher = "201107000001";

  void item(const std::string& code, const std::string& name, bool inflow, bool detail) {
    db().execute("INSERT INTO Fluxion (CASHID, NAME, DCFLAG, DETAILFLAG) VALUES (:code, :name, :dc, :detail)",
                 {{"code", code}, {"name", name}, {"dc", inflow ? "T" : "F"}, {"detail", detail ? "T" : "F"}});
  }
  // 01 经营活动 (summary) with 0101 销售收到的现金 (inflow) and 0102 购买支付的现金
  // (outflow); 02 投资活动 (summary) with 0201 收回投资 (inflow).
  void items() {
    item("0102", "购买支付的现金", false, true);
    item("01", "经营活动", true, false);
    item("0201", "收回投资", true, true);
    item("0101", "销售收到的现金", true, true);
    item("02", "投资活动", true, false);
  }
  // Subject 1001 库存现金 takes part in cash flow, 5001 主营业务收入 does not.
  void subjects() {
    db().execute(
        "INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG, VorCash) VALUES "
        "('1001', '库存现金', 'T', 'T', 'T'), ('5001', '主营业务收入', 'F', 'T', 'F'), "
        "('1002', '银行存款', 'T', 'T', NULL)");
  }
  // A voucher line; a zero amount is stored as null as the voucher screen does.
  void line(const std::string& credId, int fenlu, const std::string& subject, Money debit, Money credit) {
    db().execute("INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, DEBIT, CREDIT) VALUES (:id, :n, :s, :d, :c)",
                 {{"id", credId},
                  {"n", fenlu},
                  {"s", subject},
                  {"d", debit.isZero() ? data::Value() : data::Value(debit)},
                  {"c", credit.isZero() ? data::Value() : data::Value(credit)}});
  }
  void allocation(const std::string& credId, const std::string& code, data::Value debit, data::Value credit) {
    db().execute("INSERT INTO FluxionDistribute (CREDID, CASHID, DEBIT, CREDIT) VALUES (:id, :code, :d, :c)",
                 {{"id", credId}, {"code", code}, {"d", std::move(debit)}, {"c", std::move(credit)}});
  }
  // The stored allocation of a voucher as "code:inflow:outflow" rows in code order.
  std::vector<std::string> stored(const std::string& credId = kVoucher) {
    std::vector<std::string> out;
    for (const auto& row : db().query(
             "SELECT CASHID, DEBIT, CREDIT FROM FluxionDistribute WHERE CREDID=:id ORDER BY CASHID", {{"id", credId}}))
      out.push_back(row.text("CASHID") + ":" + (row.isNull("DEBIT") ? "null" : row.money("DEBIT").toString(2)) + ":" +
                    (row.isNull("CREDIT") ? "null" : row.money("CREDIT").toString(2)));
    return out;
  }

  // Makes every deletion of a FluxionDistribute row fail inside the engine.
  void failDeletions() {
    if (GetParam() == data::Engine::Sqlite) {
      db().executeScript(
          "CREATE TRIGGER injected_failure BEFORE DELETE ON FluxionDistribute BEGIN SELECT RAISE(ABORT, 'injected'); "
          "END;");
    } else {
      db().executeScript(
          "CREATE FUNCTION injected_failure() RETURNS trigger LANGUAGE plpgsql AS "
          "$$BEGIN RAISE EXCEPTION 'injected'; END$$; CREATE TRIGGER injected_failure BEFORE DELETE ON "
          "FluxionDistribute FOR EACH ROW EXECUTE FUNCTION injected_failure();");
    }
  }

  static Money yuan(std::int64_t whole) { return Money::fromInteger(whole); }
};

}  // namespace qj::test
