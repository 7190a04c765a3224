#include "periodend/widgets/audit_list_output.h"

#include <array>

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

base::ListOutput AuditListOutput(const std::vector<AuditListRow>& rows) {
  return {kAuditListReportType, kAuditListCaption, AuditDataSet(rows), {}};
}

}  // namespace qj::periodend
