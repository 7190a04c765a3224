// A list screen's rows on paper and in spreadsheet files, through the printing
// layer: every list prints, previews and exports the same way, and every
// failure reaches the user as a Chinese message.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "hostapi/host_services.h"
#include "printing/data_set.h"

class QFileDialog;
class QString;
class QWidget;

namespace qj::base {

struct ListOutput {
  int reportType = 0;  // the report type of the list's print templates (PrintStyle.REPORTTYPE)
  std::string title;   // the list's title, first on paper and in the file
  printing::DataSet data;
  // Lines under the title (what the list covers: a subject, a period).
  std::vector<std::string> headerLines;
};

enum class PrintOutput { Preview, Printer };

// Prints or previews the list in its default template, with the company and
// the operator as the template's variables.
void PrintList(HostServices& host, const ListOutput& list, PrintOutput output, QWidget* parent);

// Writes a CSV file when the path ends in ".csv", an .xlsx workbook otherwise,
// under the title and the company, with the operator below. True when the
// file was written.
bool ExportList(HostServices& host, const ListOutput& list, const std::string& path);

// Opens the save dialog of 导出 (an .xlsx workbook or a CSV file, suggested
// as `title` with the chosen suffix); `write` gets the path the user chose.
// The dialog deletes itself when closed.
QFileDialog* OpenExportDialog(QWidget* parent, const std::string& title,
                              std::function<void(const std::string& path)> write);

}  // namespace qj::base
