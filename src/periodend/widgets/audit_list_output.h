// The audit list as it goes on paper and into spreadsheet files.
#pragma once

#include <vector>

#include "base/widgets/list_output.h"
#include "periodend/audit_list.h"
#include "printing/data_set.h"

namespace qj::periodend {

// The report type of the audit list's print templates (PrintStyle.REPORTTYPE).
inline constexpr int kAuditListReportType = 907;

// The list's columns and rows: amounts exact, flags as their marks.
printing::DataSet AuditDataSet(const std::vector<AuditListRow>& rows);

// The list under its caption and report type, for printing and export.
base::ListOutput AuditListOutput(const std::vector<AuditListRow>& rows);

}  // namespace qj::periodend
