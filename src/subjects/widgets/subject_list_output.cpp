#include "subjects/widgets/subject_list_output.h"

#include <array>

#include "base/refusal.h"
#include "printing/errors.h"
#include "printing/spreadsheet_export.h"
#include "printing/widgets/list_printer.h"

namespace qj::subjects {
namespace {

struct Field {
  const char* name;
  int width;
};
// The fields of the print list's columns, in its order.
constexpr std::array<Field, 6> kFields = {
    {{"SUBJECTID", 18}, {"NAME", 30}, {"DCFLAG", 8}, {"VorWBFlag", 12}, {"VorCash", 16}, {"HELPCODE", 10}}};

std::vector<std::string> titleLines(HostServices& host, const std::string& title) {
  return {title, "编制单位：" + host.accountBooksData().CompanyName};
}

void showError(HostServices& host, const std::exception& error) {
  host.ShowMsgBox(error.what(), caption::Error, msgbox::IconError);
}

}  // namespace

printing::DataSet SubjectDataSet(const PrintList& list) {
  printing::DataSet data;
  for (std::size_t i = 0; i < list.headings.size() && i < kFields.size(); ++i)
    data.columns.push_back({kFields[i].name, list.headings[i], printing::Alignment::Left, kFields[i].width});
  for (const auto& row : list.rows) data.rows.emplace_back(row.begin(), row.end());
  return data;
}

void PrintSubjectList(HostServices& host, const PrintList& list, const std::string& title, PrintOutput output,
                      QWidget* parent) {
  try {
    printing::PrintJob job;
    job.data = SubjectDataSet(list);
    job.layout = printing::DefaultTemplate(kSubjectListReportType, job.data, title).layout;
    job.variables = {{std::string(printing::kCompanyName), host.accountBooksData().CompanyName},
                     {"操作员", host.asUserName()}};
    printing::ListPrinter printer(std::move(job));
    if (output == PrintOutput::Preview)
      printer.preview(parent);
    else
      printer.print(parent);
  } catch (const printing::PrintError& error) {
    showError(host, error);
  }
}

bool ExportSubjectList(HostServices& host, const PrintList& list, const std::string& title, const std::string& path) {
  const std::vector<std::string> footer = {"操作员：" + host.asUserName()};
  try {
    if (path.ends_with(".csv"))
      printing::WriteCsv(path, titleLines(host, title), SubjectDataSet(list), footer);
    else
      printing::WriteXlsx(path, titleLines(host, title), SubjectDataSet(list), footer);
    return true;
  } catch (const printing::ExportError& error) {
    showError(host, error);
    return false;
  }
}

}  // namespace qj::subjects
