#include "balances/balance_span_store.h"

namespace qj::balances {
namespace {

// Read by position, in this order.
enum Field : std::size_t {
  YearMon,
  Subject,
  OpenRawDebit,
  OpenRawCredit,
  RawDebit,
  RawCredit,
  YearRawDebit,
  YearRawCredit,
  OpenDebit,
  OpenCredit,
  Debit,
  Credit,
  YearDebit,
  YearCredit
};

}  // namespace

std::vector<BalanceMonth> ReadBalanceSpan(data::Connection& db, const BalanceSpan& span) {
  std::string sql =
      "SELECT YEARMON, SUBJECTID, BRAWDEBIT, BRAWCREDIT, RAWDEBIT, RAWCREDIT, YRAWDEBIT, YRAWCREDIT, BDEBIT, BCREDIT, "
      "DEBIT, CREDIT, YDEBIT, YCREDIT FROM Balance "
      "WHERE YEARMON>=:fromMonth AND YEARMON<=:toMonth AND MONEYID=:moneyId";
  data::Params params{{"fromMonth", span.from.text()}, {"toMonth", span.to.text()}, {"moneyId", span.moneyId}};
  if (!span.firstCode.empty()) {
    sql += " AND SUBJECTID>=:firstCode";
    params.push_back({"firstCode", span.firstCode});
  }
  if (!span.lastCode.empty()) {
    sql += " AND SUBJECTID<=:lastCode";
    params.push_back({"lastCode", span.lastCode});
  }
  if (span.movingOnly) sql += " AND (COALESCE(DEBIT, 0)<>0 OR COALESCE(CREDIT, 0)<>0)";
  sql += " ORDER BY SUBJECTID, YEARMON";

  std::vector<BalanceMonth> months;
  db.forEachRow(sql, params, [&months, &span](const data::Row& row) {
    const auto money = [&row](Field field) { return data::MoneyOf(row.at(field)); };
    BalanceMonth month;
    month.month = Period::parse(data::TextOf(row.at(YearMon))).value_or(span.from);
    month.key = {span.moneyId, data::TextOf(row.at(Subject))};
    month.openRawDebit = money(OpenRawDebit);
    month.openRawCredit = money(OpenRawCredit);
    month.rawDebit = money(RawDebit);
    month.rawCredit = money(RawCredit);
    month.yearRawDebit = money(YearRawDebit);
    month.yearRawCredit = money(YearRawCredit);
    month.openDebit = money(OpenDebit);
    month.openCredit = money(OpenCredit);
    month.debit = money(Debit);
    month.credit = money(Credit);
    month.yearDebit = money(YearDebit);
    month.yearCredit = money(YearCredit);
    months.push_back(std::move(month));
    return true;
  });
  return months;
}

}  // namespace qj::balances
