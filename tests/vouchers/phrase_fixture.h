// A book with a small phrase library, and the helpers the phrase tests share.
#pragma once

#include <string>
#include <vector>

#include "data/row.h"
#include "support/package_fixture.h"
#include "vouchers/phrase_store.h"

namespace qj::test {

class PhraseTest : public PackageTest {
 protected:
  void type(std::int64_t id, const std::string& name) {
    db().execute("INSERT INTO PrecisType (PrecisTYPEID, TYPENAME) VALUES (:id, :name)", {{"id", id}, {"name", name}});
  }
  void phrase(std::int64_t typeId, std::int64_t id, const std::string& name) {
    db().execute("INSERT INTO Precis (PrecisTYPEID, PrecisID, PrecisNAME, HELPCODE) VALUES (:type, :id, :name, '')",
                 {{"type", typeId}, {"id", id}, {"name", name}});
  }
  // Two types: 1 银行 with 提现 and 存款, 2 费用 with 提现 (the same text) and 差旅费.
  void library() {
    type(1, "银行");
    type(2, "费用");
    phrase(1, 10, "提现");
    phrase(1, 11, "存款");
    phrase(2, 20, "提现");
    phrase(2, 21, "差旅费");
  }
  // A stored voucher line whose summary is `summary`.
  void lineWithSummary(const std::string& summary) {
    const auto fenlu = count("SELECT COUNT(*) FROM VoucherDetail") + 1;
    db().execute(
        "INSERT INTO VoucherDetail (CREDID, FENLUNO, SUBJECTID, Precis) VALUES ('201107000001', :n, '101', :s)",
        {{"n", fenlu}, {"s", summary}});
  }
  void nextKeyAfter(std::int64_t value) {
    db().execute("INSERT INTO HostKeyValue (KEYNAME, KEYVALUE) VALUES ('PRECIS', :v)", {{"v", value}});
  }

  std::int64_t count(const std::string& sql, const data::Params& params = {}) {
    return data::IntegerOf(db().scalar(sql, params));
  }
  // The library as "type:id:text" rows in key order.
  std::vector<std::string> storedPhrases() {
    std::vector<std::string> out;
    for (const auto& row : db().query("SELECT PrecisTYPEID, PrecisID, PrecisNAME FROM Precis ORDER BY 1, 2"))
      out.push_back(row.text("PrecisTYPEID") + ":" + row.text("PrecisID") + ":" + row.text("PrecisNAME"));
    return out;
  }
  std::vector<std::string> storedTypes() {
    std::vector<std::string> out;
    for (const auto& row : db().query("SELECT PrecisTYPEID, TYPENAME FROM PrecisType ORDER BY 1"))
      out.push_back(row.text("PrecisTYPEID") + ":" + row.text("TYPENAME"));
    return out;
  }
  static std::vector<std::string> Texts(const std::vector<vouchers::Phrase>& phrases) {
    std::vector<std::string> out;
    for (const auto& phrase : phrases) out.push_back(phrase.name);
    return out;
  }

  [[nodiscard]] Message lastMessage() { return host().messages.empty() ? Message{} : host().messages.back(); }
};

}  // namespace qj::test
