#include "periodend/audit_filter.h"

namespace qj::periodend {

std::vector<VoucherWordEntry> VoucherWordEntries(int scheme) {
  if (scheme == 2) return {{"所有", std::nullopt}, {"收", 2}, {"付", 3}, {"转", 4}};
  if (scheme == 3) return {{"所有", std::nullopt}, {"现收", 5}, {"现付", 6}, {"银收", 7}, {"银付", 8}, {"转", 9}};
  return {{"记", 1}};
}

AuditFilter DefaultAuditFilter(const AccountBooksData& book) {
  AuditFilter filter;
  filter.period = {book.CurrYear, book.CurrMon};
  filter.typeId = VoucherWordEntries(book.AccountVoucherType).front().typeId;
  return filter;
}

base::AuditFlags LoadAuditOptions(HostServices& host) {
  const base::AuditFlags flags = base::ReadAuditFlags(host.FindStartupDB());
  host.SetAuditFlags(flags.mustCheck, flags.sameUser);
  return flags;
}

}  // namespace qj::periodend
