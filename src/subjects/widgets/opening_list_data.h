// The list the opening-balance screen shows, as the printing and export layers take it.
#pragma once

#include <string>
#include <vector>

#include "printing/data_set.h"
#include "subjects/opening_model.h"

namespace qj::subjects {

struct OpeningListData {
  std::string title;                   // what the list is: the chosen currency, or the trial-balance sheet
  printing::DataSet data;              // the shown rows, amounts as exact money
  std::vector<printing::Cell> totals;  // the total line "合计", one cell per column
};

OpeningListData ShownOpeningList(const OpeningModel& model);

}  // namespace qj::subjects
