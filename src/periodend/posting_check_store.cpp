#include "periodend/posting_check_store.h"

#include <string>
#include <vector>

#include "periodend/posting_store.h"

namespace qj::periodend {

void DeleteOrphanVoucherRows(data::Connection& db, const Period& month) {
  const VoucherIdRange range = MonthVoucherRange(month);
  const data::Params params{{"first", range.first}, {"last", range.last}};
  data::Transaction orphans(db);
  // Each test is one lookup in the other table's key: NOT IN over a
  // subquery is quadratic on a server that cannot hash the whole book. The
  // lines are looked up once per voucher, not once per line.
  db.execute(
      "DELETE FROM VoucherDetail WHERE CREDID IN (SELECT x.CREDID FROM (SELECT DISTINCT CREDID FROM VoucherDetail "
      "WHERE CREDID BETWEEN :first AND :last) x WHERE NOT EXISTS "
      "(SELECT 1 FROM VoucherMaster m WHERE m.CREDID=x.CREDID))",
      params);
  db.execute(
      "DELETE FROM VoucherMaster WHERE CREDID BETWEEN :first AND :last AND NOT EXISTS "
      "(SELECT 1 FROM VoucherDetail d WHERE d.CREDID=VoucherMaster.CREDID)",
      params);
  DeleteOrphanAllocations(db, month);
  orphans.commit();
}

void DeleteOrphanAllocations(data::Connection& db, const Period& month) {
  const VoucherIdRange range = MonthVoucherRange(month);
  db.execute(
      "DELETE FROM FluxionDistribute WHERE CREDID BETWEEN :first AND :last AND NOT EXISTS "
      "(SELECT 1 FROM VoucherMaster m WHERE m.CREDID=FluxionDistribute.CREDID)",
      {{"first", range.first}, {"last", range.last}});
}

bool ForEachMonthLineToCheck(data::Connection& db, const Period& month, SubjectNumbers& subjects,
                             const std::function<bool(const CheckedLine&)>& visit) {
  // The same identifiers the claim marks, so that what is booked is what is marked.
  const VoucherIdRange range = MonthVoucherRange(month);
  const data::Params params{{"first", range.first}, {"last", range.last}};
  // The chart is small and the month's lines many: each line's subject is
  // looked up in memory rather than joined in the database, once, by number.
  std::vector<bool> detail;
  for (const data::Row& row : db.query("SELECT SUBJECTID FROM Subject WHERE DETAILFLAG='T'")) {
    const std::size_t number = subjects.numberOf(row.text("SUBJECTID"));
    if (number >= detail.size()) detail.resize(number + 1);
    detail[number] = true;
  }
  // So are the vouchers' numbers: both sides come in identifier order and are
  // merged here, each read from its own key without a join.
  struct Header {
    std::string credId;
    std::int64_t credNo = 0;
  };
  std::vector<Header> headers;
  db.forEachRow("SELECT CREDID, CREDNO FROM VoucherMaster WHERE CREDID BETWEEN :first AND :last ORDER BY CREDID",
                params, [&headers](const data::Row& row) {
                  headers.push_back({row.text("CREDID"), row.integer("CREDNO")});
                  return true;
                });
  std::size_t header = 0;
  bool headerHasLines = false;  // whether headers[header] has met a line yet
  bool orphans = false;
  bool stopped = false;
  // Half a million lines a month: the columns are read by position, the texts
  // without copying them.
  enum Column : std::size_t { CredId, Debit, Credit, Subject, MoneyId, RawDebit, RawCredit };
  db.forEachRow(
      "SELECT CREDID, DEBIT, CREDIT, SUBJECTID, MONEYID, RAWDEBIT, RAWCREDIT FROM VoucherDetail "
      "WHERE CREDID BETWEEN :first AND :last ORDER BY CREDID, FENLUNO",
      params, [&](const data::Row& row) {
        const std::string_view credId = data::TextViewOf(row.at(CredId));
        for (; header < headers.size() && headers[header].credId < credId; ++header, headerHasLines = false)
          orphans = orphans || !headerHasLines;
        if (header == headers.size() || headers[header].credId != credId) {
          orphans = true;  // a line without its voucher
          return true;
        }
        headerHasLines = true;
        const std::size_t subjectNo = subjects.numberOf(data::TextViewOf(row.at(Subject)));
        stopped = !visit({credId, headers[header].credNo, data::MoneyOf(row.at(Debit)), data::MoneyOf(row.at(Credit)),
                          subjectNo < detail.size() && detail[subjectNo], subjectNo, data::IntegerOf(row.at(MoneyId)),
                          data::MoneyOf(row.at(RawDebit)), data::MoneyOf(row.at(RawCredit))});
        return !stopped;
      });
  // Vouchers after the last line have none.
  if (!stopped && header < headers.size() && (!headerHasLines || header + 1 < headers.size())) orphans = true;
  return orphans;
}

}  // namespace qj::periodend
