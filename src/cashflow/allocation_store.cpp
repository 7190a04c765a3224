#include "cashflow/allocation_store.h"

namespace qj::cashflow {
namespace {

// Rows whose amounts are both zero or null carry no allocation.
constexpr const char* kEmptyRows = "(DEBIT IS NULL OR DEBIT=0) AND (CREDIT IS NULL OR CREDIT=0)";

AllocationSums sumsOf(data::Connection& db, std::string_view sql, const std::string& credId) {
  const auto row = db.queryOne(sql, {{"parCredID", credId}});
  if (!row) return {};
  return {row->money("D"), row->money("C")};
}

// The voucher's row of one item, written as an upsert of one column so that
// an amount another editor stored in the other column stays.
std::string upsertSql(AllocationColumn column) {
  const std::string name = column == AllocationColumn::Inflow ? "DEBIT" : "CREDIT";
  return "INSERT INTO FluxionDistribute (CREDID, CASHID, " + name + ") VALUES (:parCredID, :code, :amount) " +
         "ON CONFLICT (CREDID, CASHID) DO UPDATE SET " + name + "=excluded." + name;
}

}  // namespace

AllocationSums SumAllocations(data::Connection& db, const std::string& credId) {
  return sumsOf(db, "SELECT SUM(DEBIT) AS D, SUM(CREDIT) AS C FROM FluxionDistribute WHERE CREDID=:parCredID", credId);
}

AllocationSums SumVoucherCashLines(data::Connection& db, const std::string& credId) {
  return sumsOf(db,
                "SELECT SUM(DEBIT) AS D, SUM(CREDIT) AS C FROM VoucherDetail WHERE CREDID=:parCredID "
                "AND SUBJECTID IN (SELECT SUBJECTID FROM Subject WHERE VorCash='T')",
                credId);
}

bool ItemCarriesAllocations(data::Connection& db, const std::string& code) {
  return data::IntegerOf(
             db.scalar("SELECT COUNT(*) FROM FluxionDistribute WHERE CASHID=:code AND (DEBIT<>0 OR CREDIT<>0)",
                       {{"code", code}})) > 0;
}

std::vector<ItemAllocation> SelectAllocations(data::Connection& db, const std::string& credId) {
  std::vector<ItemAllocation> allocations;
  for (const auto& row :
       db.query("SELECT CASHID, DEBIT, CREDIT FROM FluxionDistribute WHERE CREDID=:parCredID", {{"parCredID", credId}}))
    allocations.push_back({row.text("CASHID"), row.money("DEBIT"), row.money("CREDIT")});
  return allocations;
}

std::optional<ItemAllocation> SelectAllocation(data::Connection& db, const std::string& credId,
                                               const std::string& code) {
  const auto row = db.queryOne("SELECT DEBIT, CREDIT FROM FluxionDistribute WHERE CREDID=:parCredID AND CASHID=:code",
                               {{"parCredID", credId}, {"code", code}});
  if (!row) return std::nullopt;
  return ItemAllocation{code, row->money("DEBIT"), row->money("CREDIT")};
}

void StoreAllocationAmount(data::Connection& db, const std::string& credId, const std::string& code,
                           AllocationColumn column, Money amount) {
  const data::Params key{{"parCredID", credId}, {"code", code}};
  data::Transaction transaction(db);
  db.execute(upsertSql(column), {key[0], key[1], {"amount", amount}});
  db.execute(std::string("DELETE FROM FluxionDistribute WHERE CREDID=:parCredID AND CASHID=:code AND ") + kEmptyRows,
             key);
  transaction.commit();
}

void DeleteEmptyAllocations(data::Connection& db, const std::string& credId) {
  db.execute(std::string("DELETE FROM FluxionDistribute WHERE CREDID=:parCredID AND ") + kEmptyRows,
             {{"parCredID", credId}});
}

void DeleteAllocationsOffDetailItems(data::Connection& db, const std::string& credId) {
  db.execute(
      "DELETE FROM FluxionDistribute WHERE CREDID=:parCredID "
      "AND NOT EXISTS (SELECT 1 FROM Fluxion f WHERE f.CASHID=FluxionDistribute.CASHID AND f.DETAILFLAG='T')",
      {{"parCredID", credId}});
}

void DeleteAllocationsOfItem(data::Connection& db, const std::string& code) {
  db.execute("DELETE FROM FluxionDistribute WHERE CASHID=:code", {{"code", code}});
}

}  // namespace qj::cashflow
