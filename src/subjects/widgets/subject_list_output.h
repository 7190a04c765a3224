// The chart's print list as it goes on paper and into spreadsheet files.
#pragma once

#include <string>

#include "base/widgets/list_output.h"
#include "printing/data_set.h"
#include "subjects/subject_print_list.h"

namespace qj::subjects {

// The report type of the chart list's print templates (PrintStyle.REPORTTYPE).
inline constexpr int kSubjectListReportType = 801;

printing::DataSet SubjectDataSet(const PrintList& list);

// The list under `title` and its report type, for printing and export.
base::ListOutput SubjectListOutput(const PrintList& list, const std::string& title);

}  // namespace qj::subjects
