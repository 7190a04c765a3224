// The chart's print list on paper and in spreadsheet files, through the
// printing layer; every failure reaches the user as a Chinese message.
#pragma once

#include <string>

#include "hostapi/host_services.h"
#include "printing/data_set.h"
#include "subjects/subject_print_list.h"

class QWidget;

namespace qj::subjects {

// The report type of the chart list's print templates (PrintStyle.REPORTTYPE).
inline constexpr int kSubjectListReportType = 801;

printing::DataSet SubjectDataSet(const PrintList& list);

enum class PrintOutput { Preview, Printer };
void PrintSubjectList(HostServices& host, const PrintList& list, const std::string& title, PrintOutput output,
                      QWidget* parent);

// Writes a CSV file when the path ends in ".csv", an .xlsx workbook otherwise.
// True when the file was written.
bool ExportSubjectList(HostServices& host, const PrintList& list, const std::string& title, const std::string& path);

}  // namespace qj::subjects
