// The columns of the opening-balance list, with their titles ("|" separates a
// heading from the one above it), and how a cell reads.
#pragma once

#include <string>
#include <vector>

#include "subjects/opening_listing_queries.h"

namespace qj::subjects {

enum class OpeningColumnKind { Code, Name, Direction, Amount };

struct OpeningColumn {
  std::string title;
  OpeningColumnKind kind = OpeningColumnKind::Amount;
  OpeningField field = OpeningField::Balance;  // Amount columns only
  bool editable = false;
};

enum class OpeningView {
  Local,       // currency 0: local amounts, entered
  Foreign,     // currencies 1 to 98: transaction-currency amounts with their local twins, entered
  Aggregate,   // currency 99: every subject in local money, derived and so read-only
  TrialSheet,  // the trial-balance view of the currency-99 rows: the side-split figures
};

OpeningView ViewOfCurrency(int moneyId);

// The columns of a view; with `readOnly` (no privilege to modify) none is editable.
std::vector<OpeningColumn> OpeningColumns(OpeningView view, bool readOnly);

// A cell as shown: amounts with two decimals.
std::string OpeningCellText(const OpeningRow& row, const OpeningColumn& column);

}  // namespace qj::subjects
