#include "subjects/opening_layout.h"

#include <utility>

#include "subjects/opening_columns.h"

namespace qj::subjects {

OpeningView ViewOfCurrency(int moneyId) {
  if (moneyId == 0) return OpeningView::Local;
  return moneyId == kAllCurrencies ? OpeningView::Aggregate : OpeningView::Foreign;
}

std::vector<OpeningColumn> OpeningColumns(OpeningView view, bool readOnly) {
  using F = OpeningField;
  using K = OpeningColumnKind;
  std::vector<OpeningColumn> columns = {{"科目编码", K::Code}, {"科目名称", K::Name}};
  if (view == OpeningView::TrialSheet) {
    for (const auto& [title, field] : {std::pair{"年初余额|借方", F::YDebit}, std::pair{"年初余额|贷方", F::YCredit},
                                       std::pair{"本年累计|借方", F::Debit}, std::pair{"本年累计|贷方", F::Credit},
                                       std::pair{"期初余额|借方", F::MDebit}, std::pair{"期初余额|贷方", F::MCredit}})
      columns.push_back({title, K::Amount, field, false});
    return columns;
  }
  columns.push_back({"方向", K::Direction});
  const bool entered = !readOnly && view != OpeningView::Aggregate;
  if (view == OpeningView::Foreign) {
    columns.push_back({"本年年初|原币", K::Amount, F::RawYearOpening, false});
    columns.push_back({"本年年初|本位币", K::Amount, F::YearOpening, false});
    columns.push_back({"本年累计借方|原币", K::Amount, F::RawDebit, entered});
    columns.push_back({"本年累计借方|本位币", K::Amount, F::Debit, entered});
    columns.push_back({"本年累计贷方|原币", K::Amount, F::RawCredit, entered});
    columns.push_back({"本年累计贷方|本位币", K::Amount, F::Credit, entered});
    columns.push_back({"期初余额|原币", K::Amount, F::RawBalance, entered});
    columns.push_back({"期初余额|本位币", K::Amount, F::Balance, entered});
  } else {
    columns.push_back({"本年年初", K::Amount, F::YearOpening, false});
    columns.push_back({"本年累计|借方", K::Amount, F::Debit, entered});
    columns.push_back({"本年累计|贷方", K::Amount, F::Credit, entered});
    columns.push_back({"期初余额", K::Amount, F::Balance, entered});
  }
  columns.push_back({"本年损益累计发生", K::Amount, F::ProfitLoss, entered});
  return columns;
}

std::string OpeningCellText(const OpeningRow& row, const OpeningColumn& column) {
  switch (column.kind) {
    case OpeningColumnKind::Code:
      return row.subjectId;
    case OpeningColumnKind::Name:
      return row.name;
    case OpeningColumnKind::Direction:
      return row.subjectId.empty() ? std::string() : std::string(DirectionName(row.debitSide));
    case OpeningColumnKind::Amount:
      break;
  }
  return row.value(column.field).toString(2);
}

}  // namespace qj::subjects
