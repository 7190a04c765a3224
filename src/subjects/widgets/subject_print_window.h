// The chart's print list ("TSubjectPrintForm"): the subjects of one class on
// the list window, from which they are printed, previewed and exported.
#pragma once

#include <string>

#include "base/widgets/list_window.h"
#include "printing/data_set.h"
#include "subjects/subject_print_list.h"

namespace qj::subjects {

// The report type of the chart list's print templates (PrintStyle.REPORTTYPE).
inline constexpr int kSubjectListReportType = 801;
inline constexpr const char* kSubjectPrintScreenName = "TSubjectPrintForm";

printing::DataSet SubjectDataSet(const PrintList& list);

// Opens the print list under `title` as a window over `parent`, which owns it;
// it deletes itself when closed.
base::ListWindow* OpenSubjectPrintWindow(HostServices& host, const PrintList& list, const std::string& title,
                                         QWidget* parent);

}  // namespace qj::subjects
