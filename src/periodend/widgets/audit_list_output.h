// The audit list on paper and in spreadsheet files, through the printing
// layer; every failure reaches the user as a Chinese message.
#pragma once

#include <string>
#include <vector>

#include "hostapi/host_services.h"
#include "periodend/audit_list.h"
#include "printing/data_set.h"

class QWidget;

namespace qj::periodend {

// The report type of the audit list's print templates (PrintStyle.REPORTTYPE).
inline constexpr int kAuditListReportType = 907;

// The list's columns and rows: amounts exact, flags as their marks.
printing::DataSet AuditDataSet(const std::vector<AuditListRow>& rows);

void PrintAuditList(HostServices& host, const std::vector<AuditListRow>& rows, bool preview, QWidget* parent);
// Writes a CSV file when the path ends in ".csv", an .xlsx workbook otherwise.
// True when the file was written.
bool ExportAuditList(HostServices& host, const std::vector<AuditListRow>& rows, const std::string& path);

}  // namespace qj::periodend
