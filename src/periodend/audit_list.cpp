#include "periodend/audit_list.h"

namespace qj::periodend {
namespace {

std::string amountText(Money amount) { return amount.isZero() ? std::string() : amount.grouped(); }

}  // namespace

std::string FlagMark(bool set) { return set ? "√" : "　"; }

std::string CellText(const AuditListRow& row, AuditColumn column) {
  switch (column) {
    case AuditColumn::Date:
      return row.credDate ? row.credDate->toString() : std::string();
    case AuditColumn::CredNo:
      return std::to_string(row.credNo);
    case AuditColumn::Word:
      return row.voucherWord;
    case AuditColumn::Audited:
      return FlagMark(row.audited);
    case AuditColumn::Posted:
      return FlagMark(row.posted);
    case AuditColumn::Summary:
      return row.summary;
    case AuditColumn::Subject:
      return row.subjectId + " " + row.subjectName;
    case AuditColumn::Debit:
      return amountText(row.debit);
    case AuditColumn::Credit:
      return amountText(row.credit);
  }
  return {};
}

void AuditList::show(std::vector<AuditListRow> rows) {
  rows_ = std::move(rows);
  current_ = 0;
}

void AuditList::setCurrent(std::size_t row) {
  if (row < rows_.size()) current_ = row;
}

std::string AuditList::currentCredId() const { return rows_.empty() ? std::string() : rows_[current_].credId; }

bool AuditList::refreshVoucher(data::Connection& db, const std::string& credId) {
  if (!VoucherAudited(db, credId)) return false;
  bool marked = false;
  for (auto& row : rows_) {
    if (row.credId != credId) continue;
    row.audited = true;
    marked = true;
  }
  return marked;
}

bool AuditCurrentVoucher(HostServices& host, AuditList& list, const AuditScreenOpener& openAuditScreen) {
  if (list.empty() || !host.HasOvoPrivilege2(kAuditFunction, kRunAction, true)) return false;
  const std::string credId = list.currentCredId();
  if (credId.empty()) return false;
  openAuditScreen(credId);
  return list.refreshVoucher(host.FindStartupDB(), credId);
}

}  // namespace qj::periodend
