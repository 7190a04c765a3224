#include "subjects/widgets/subject_print_window.h"

#include <array>

namespace qj::subjects {
namespace {

struct Field {
  const char* name;
  int width;
};
// The fields of the print list's columns, in its order.
constexpr std::array<Field, 6> kFields = {
    {{"SUBJECTID", 18}, {"NAME", 30}, {"DCFLAG", 8}, {"VorWBFlag", 12}, {"VorCash", 16}, {"HELPCODE", 10}}};
constexpr int kNameColumn = 1;

}  // namespace

printing::DataSet SubjectDataSet(const PrintList& list) {
  printing::DataSet data;
  for (std::size_t i = 0; i < list.headings.size() && i < kFields.size(); ++i)
    data.columns.push_back({kFields[i].name, list.headings[i], printing::Alignment::Left, kFields[i].width});
  for (const auto& row : list.rows) data.rows.emplace_back(row.begin(), row.end());
  return data;
}

base::ListWindow* OpenSubjectPrintWindow(HostServices& host, const PrintList& list, const std::string& title,
                                         QWidget* parent) {
  auto* window = new base::ListWindow(host, kSubjectPrintScreenName, title, kSubjectListReportType, parent);
  // A window of its own over the maintenance screen, which waits for it.
  window->setWindowFlag(Qt::Window);
  window->setWindowModality(Qt::WindowModal);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setStretchColumn(kNameColumn);
  window->showData(SubjectDataSet(list));
  window->show();
  return window;
}

}  // namespace qj::subjects
