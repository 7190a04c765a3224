// A ledger's sheet as the list window, printing and export take it.
#pragma once

#include <vector>

#include "ledgers/ledger_sheet.h"
#include "printing/data_set.h"

namespace qj::ledgers {

printing::DataSet SheetDataSet(const std::vector<SheetColumn>& columns, const std::vector<SheetRow>& rows);

}  // namespace qj::ledgers
