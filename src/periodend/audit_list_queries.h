// Reading the audit list: the voucher lines a filter chooses, the lines the
// last batch audit stamped, and a voucher's audit mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "data/date.h"
#include "data/money.h"
#include "data/period.h"
#include "periodend/audit_filter.h"

namespace qj::periodend {

// One voucher line of the list.
struct AuditListRow {
  std::string credId;
  std::int64_t typeId = 0;
  std::optional<Date> credDate;
  std::int64_t credNo = 0;
  std::string voucherWord;  // the type's name followed by CREDCODE
  bool audited = false;
  bool posted = false;
  std::int64_t fenLuNo = 0;
  std::string summary;
  std::string subjectId;
  std::string subjectName;
  Money debit;
  Money credit;
  std::string maker;
};

// The lines of the filter's vouchers, by voucher word, number, date and line.
// A voucher without a CHECKFLAG counts as unaudited.
std::vector<AuditListRow> QueryAuditList(data::Connection& db, const AuditFilter& filter);
// The lines of the period's vouchers the last batch audit stamped, by
// voucher identifier and line.
std::vector<AuditListRow> QueryStampedVouchers(data::Connection& db, const Period& period);
// Whether the voucher is audited now.
bool VoucherAudited(data::Connection& db, const std::string& credId);

}  // namespace qj::periodend
