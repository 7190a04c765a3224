#include "host/new_book_store.h"

namespace qj::host {
namespace {

struct VoucherType {
  int id;
  const char* name;
};
constexpr VoucherType kVoucherTypes[] = {{1, "记"},   {2, "收"},   {3, "付"},   {4, "转"}, {5, "现收"},
                                         {6, "现付"}, {7, "银收"}, {8, "银付"}, {9, "转"}};

}  // namespace

void InsertBookState(data::Connection& db, const std::string& guid, const Period& start) {
  db.execute(
      "INSERT INTO AccountState (GUID, STARTDATE, CURRYEAR, CURRMON, MUSTCHECK, SAMEUSER, STATUS, VERSION) "
      "VALUES (:guid, :start, :year, :month, 'F', 'F', 0, '1')",
      {{"guid", guid}, {"start", start.firstDay()}, {"year", start.year}, {"month", start.month}});
}

void InsertVoucherTypes(data::Connection& db) {
  for (const VoucherType& type : kVoucherTypes)
    db.execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (:id, :name)", {{"id", type.id}, {"name", type.name}});
}

void InsertLocalCurrency(data::Connection& db) {
  db.execute("INSERT INTO Currency (MONEYID, NAME, RATE) VALUES (0, '人民币', :rate)",
             {{"rate", Money::fromInteger(1)}});
}

void InsertAggregateRate(data::Connection& db) {
  db.execute("INSERT INTO RateInit (MONEYID, RATE) VALUES (99, :rate)", {{"rate", Money::fromInteger(1)}});
}

}  // namespace qj::host
