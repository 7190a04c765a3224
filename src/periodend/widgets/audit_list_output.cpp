#include "periodend/widgets/audit_list_output.h"

#include <array>

#include "base/refusal.h"
#include "printing/errors.h"
#include "printing/print_template.h"
#include "printing/spreadsheet_export.h"
#include "printing/variables.h"
#include "printing/widgets/list_printer.h"

namespace qj::periodend {
namespace {

struct Field {
  const char* name;
  int width;
  printing::Alignment alignment;
};
// The fields of the list's columns, in the order of kAuditColumnTitles.
constexpr std::array<Field, kAuditColumnTitles.size()> kFields = {{
    {"CredDate", 10, printing::Alignment::Left},
    {"CredNo", 6, printing::Alignment::Right},
    {"CredOvoNo", 8, printing::Alignment::Left},
    {"CheckFlag", 4, printing::Alignment::Center},
    {"PostFlag", 4, printing::Alignment::Center},
    {"Precis", 24, printing::Alignment::Left},
    {"Subject", 24, printing::Alignment::Left},
    {"Debit", 14, printing::Alignment::Right},
    {"Credit", 14, printing::Alignment::Right},
}};

printing::Cell amountCell(Money amount) {
  if (amount.isZero()) return {};
  return amount;
}

std::vector<std::string> titleLines(HostServices& host) {
  return {kAuditListCaption, "编制单位：" + host.accountBooksData().CompanyName};
}

void showError(HostServices& host, const std::exception& error) {
  host.ShowMsgBox(error.what(), caption::Error, msgbox::IconError);
}

}  // namespace

printing::DataSet AuditDataSet(const std::vector<AuditListRow>& rows) {
  printing::DataSet data;
  for (std::size_t i = 0; i < kFields.size(); ++i)
    data.columns.push_back({kFields[i].name, kAuditColumnTitles[i], kFields[i].alignment, kFields[i].width});
  for (const auto& row : rows) {
    std::vector<printing::Cell> cells;
    cells.emplace_back(row.credDate ? printing::Cell(*row.credDate) : printing::Cell());
    cells.emplace_back(row.credNo);
    cells.emplace_back(row.voucherWord);
    // On paper and in a spreadsheet an unset flag is an empty cell.
    cells.emplace_back(row.audited ? printing::Cell(FlagMark(true)) : printing::Cell());
    cells.emplace_back(row.posted ? printing::Cell(FlagMark(true)) : printing::Cell());
    cells.emplace_back(row.summary);
    cells.emplace_back(CellText(row, AuditColumn::Subject));
    cells.push_back(amountCell(row.debit));
    cells.push_back(amountCell(row.credit));
    data.rows.push_back(std::move(cells));
  }
  return data;
}

void PrintAuditList(HostServices& host, const std::vector<AuditListRow>& rows, bool preview, QWidget* parent) {
  try {
    printing::PrintJob job;
    job.data = AuditDataSet(rows);
    job.layout = printing::DefaultTemplate(kAuditListReportType, job.data, kAuditListCaption).layout;
    job.variables = {{std::string(printing::kCompanyName), host.accountBooksData().CompanyName},
                     {"操作员", host.asUserName()}};
    printing::ListPrinter printer(std::move(job));
    if (preview)
      printer.preview(parent);
    else
      printer.print(parent);
  } catch (const printing::PrintError& error) {
    showError(host, error);
  }
}

bool ExportAuditList(HostServices& host, const std::vector<AuditListRow>& rows, const std::string& path) {
  const std::vector<std::string> footer = {"操作员：" + host.asUserName()};
  try {
    if (path.ends_with(".csv"))
      printing::WriteCsv(path, titleLines(host), AuditDataSet(rows), footer);
    else
      printing::WriteXlsx(path, titleLines(host), AuditDataSet(rows), footer);
    return true;
  } catch (const printing::ExportError& error) {
    showError(host, error);
    return false;
  }
}

}  // namespace qj::periodend
