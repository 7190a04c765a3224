#include "subjects/counterparty_queries.h"

#include "subjects/chart_rules.h"

namespace qj::subjects {
namespace {

bool isCustomerAccount(int controlCode) { return controlCode == 113 || controlCode == 204; }

}  // namespace

std::string CounterpartyKind(int controlCode) { return isCustomerAccount(controlCode) ? "客户" : "供应商"; }

std::vector<Counterparty> UnlinkedCounterparties(data::Connection& db, int controlCode) {
  const std::string sql = isCustomerAccount(controlCode)
                              ? "SELECT ClientID AS ID, Abbreviation FROM CLIENT c WHERE NOT EXISTS "
                                "(SELECT 1 FROM Subject s WHERE s.RELEVANTID=c.ClientID+:base AND "
                                "s.RELEVANTID>:base AND s.RELEVANTID<:top) ORDER BY ClientID"
                              : "SELECT VendorID AS ID, Abbreviation FROM VENDOR v WHERE NOT EXISTS "
                                "(SELECT 1 FROM Subject s WHERE s.RELEVANTID=v.VendorID+:base AND "
                                "s.RELEVANTID>:base AND s.RELEVANTID<:top) ORDER BY VendorID";
  const std::int64_t base = controlCode * kRelevantBase;
  std::vector<Counterparty> out;
  for (const auto& row : db.query(sql, {{"base", base}, {"top", base + kRelevantBase}}))
    out.push_back({row.integer("ID"), row.text("Abbreviation")});
  return out;
}

std::int64_t RelevantIdOf(int controlCode, std::int64_t counterparty) {
  return controlCode * kRelevantBase + counterparty;
}

}  // namespace qj::subjects
