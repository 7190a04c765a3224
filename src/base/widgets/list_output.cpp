#include "base/widgets/list_output.h"

#include <QFileDialog>
#include <utility>
#include <vector>

#include "hostapi/refusal.h"
#include "printing/errors.h"
#include "printing/print_template.h"
#include "printing/spreadsheet_export.h"
#include "printing/variables.h"
#include "printing/widgets/list_printer.h"

namespace qj::base {
namespace {

const QString kXlsxFilter = QStringLiteral("Excel 工作簿 (*.xlsx)");
const QString kCsvFilter = QStringLiteral("CSV 文件 (*.csv)");

void showError(HostServices& host, const std::exception& error) {
  host.ShowMsgBox(error.what(), caption::Error, msgbox::IconError);
}

}  // namespace

void PrintList(HostServices& host, const ListOutput& list, PrintOutput output, QWidget* parent) {
  try {
    printing::PrintJob job;
    job.data = list.data;
    job.layout = printing::DefaultTemplate(list.reportType, job.data, list.title).layout;
    job.layout.headerLines.insert(job.layout.headerLines.end(), list.headerLines.begin(), list.headerLines.end());
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

bool ExportList(HostServices& host, const ListOutput& list, const std::string& path) {
  std::vector<std::string> title = {list.title, "编制单位：" + host.accountBooksData().CompanyName};
  title.insert(title.end(), list.headerLines.begin(), list.headerLines.end());
  const std::vector<std::string> footer = {"操作员：" + host.asUserName()};
  try {
    if (path.ends_with(".csv"))
      printing::WriteCsv(path, title, list.data, footer);
    else
      printing::WriteXlsx(path, title, list.data, footer);
    return true;
  } catch (const printing::ExportError& error) {
    showError(host, error);
    return false;
  }
}

QFileDialog* OpenExportDialog(QWidget* parent, const std::string& title,
                              std::function<void(const std::string& path)> write) {
  const QString name = QString::fromStdString(title);
  auto* dialog = new QFileDialog(parent, QStringLiteral("导出") + name, QString(), kXlsxFilter + ";;" + kCsvFilter);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("xlsx"));
  dialog->selectFile(name + ".xlsx");
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
    dialog->setDefaultSuffix(filter == kCsvFilter ? QStringLiteral("csv") : QStringLiteral("xlsx"));
  });
  QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                   [write = std::move(write)](const QString& path) { write(path.toStdString()); });
  dialog->open();
  return dialog;
}

}  // namespace qj::base
