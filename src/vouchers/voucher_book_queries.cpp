#include "vouchers/voucher_book_queries.h"

#include <string>

#include "base/currency_ids.h"

namespace qj::vouchers {
namespace {

// The condition on AccountVoucherType.ID of each scheme; a fixed text, never input.
const char* OfferedIds(int scheme) {
  switch (scheme) {
    case 1:
      return "ID=1";
    case 2:
      return "ID>1 AND ID<5";
    default:
      return "ID>4";
  }
}

}  // namespace

std::vector<VoucherType> SelectSchemeVoucherTypes(data::Connection& db, int scheme) {
  std::vector<VoucherType> types;
  for (const auto& row :
       db.query(std::string("SELECT ID, NAME FROM AccountVoucherType WHERE ") + OfferedIds(scheme) + " ORDER BY ID"))
    types.push_back({row.integer("ID"), row.text("NAME")});
  return types;
}

std::optional<std::int64_t> LatestVoucherTypeIn(data::Connection& db, const VoucherIdRange& range) {
  const auto latest = db.queryOne(
      "SELECT AccountVoucherTypeID FROM VoucherMaster WHERE CREDID BETWEEN :first AND :last "
      "ORDER BY CREDID DESC LIMIT 1",
      {{"first", range.first}, {"last", range.last}});
  if (!latest) return std::nullopt;
  return latest->integer("AccountVoucherTypeID");
}

std::vector<Currency> SelectVoucherCurrencies(data::Connection& db) {
  std::vector<Currency> list;
  for (const auto& row : db.query("SELECT MONEYID, NAME, RATE FROM Currency WHERE MONEYID<:aggregate ORDER BY MONEYID",
                                  {{"aggregate", base::kAllCurrencies}}))
    list.push_back({static_cast<int>(row.integer("MONEYID")), row.text("NAME"), row.money("RATE")});
  return list;
}

std::vector<ChartSubject> SelectChartSubjects(data::Connection& db) {
  std::vector<ChartSubject> subjects;
  for (const auto& row : db.query("SELECT SUBJECTID, NAME, VorCash, VorWBFlag, MONEYID, HELPCODE FROM Subject")) {
    ChartSubject subject;
    subject.code = row.text("SUBJECTID");
    subject.name = row.text("NAME");
    subject.cashFlow = row.flag("VorCash");
    subject.foreignMode = static_cast<int>(row.integer("VorWBFlag"));
    subject.moneyId = static_cast<int>(row.integer("MONEYID"));
    subject.helpCode = row.text("HELPCODE");
    subjects.push_back(std::move(subject));
  }
  return subjects;
}

}  // namespace qj::vouchers
