// A book with vouchers of several makers and auditors for the audit tests.
#pragma once

#include <string>

#include "vouchers/entry_fixture.h"

namespace qj::test {

class AuditTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    addVoucherType(1, "记");
    addVoucherType(2, "收");
    addVoucherType(3, "付");
  }

  // A two-line voucher of 100.00; `auditor` non-empty makes it audited by them.
  void voucher(const std::string& credId, int typeId, int code, const std::string& maker,
               const std::string& auditor = {}, bool posted = false) {
    storeVoucher(credId, typeId, code, {{"10001", "100"}, {"50001", "0", "100"}}, maker, !auditor.empty(), posted);
    if (!auditor.empty())
      db().execute("UPDATE VoucherMaster SET BILLCHECK=:who WHERE CREDID=:id", {{"who", auditor}, {"id", credId}});
  }

  std::string field(const std::string& credId, const std::string& column) {
    return data::TextOf(db().scalar("SELECT " + column + " FROM VoucherMaster WHERE CREDID=:id", {{"id", credId}}));
  }
  // "T" or "F" with the auditor, e.g. "T 测试员".
  std::string audit(const std::string& credId) { return field(credId, "CHECKFLAG") + " " + field(credId, "BILLCHECK"); }

  void makerMayAudit(bool allowed) {
    db().execute("UPDATE AccountState SET SAMEUSER=:flag", {{"flag", allowed ? "T" : "F"}});
  }
};

}  // namespace qj::test
