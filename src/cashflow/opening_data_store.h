// Reading and writing the opening cash-flow data (FluxionInit): per month of
// the start year (YearMon) and item (CashID), the inflow (Debit) and outflow
// (Credit) before the book started.
#pragma once

#include <string>
#include <vector>

#include "cashflow/opening_data_row.h"
#include "data/connection.h"

namespace qj::cashflow {

// Whether any month gives the item an amount.
bool ItemCarriesOpeningAmounts(data::Connection& db, const std::string& code);

// The codes of the month's rows, in no particular order.
std::vector<std::string> SelectOpeningDataCodes(data::Connection& db, const std::string& period);
// The month's rows with their codes and amounts, in no particular order; the
// name and direction are the item's and are left empty.
std::vector<OpeningDataRow> SelectOpeningData(data::Connection& db, const std::string& period);

// Adds the month's row of an item with no amounts.
void InsertEmptyOpeningDataRow(data::Connection& db, const std::string& period, const std::string& code);
// Stores the row's amounts in its month, adding the row when it is missing
// (another user's screen may have removed it meanwhile).
void WriteOpeningAmounts(data::Connection& db, const std::string& period, const OpeningDataRow& row);
// Deletes the month's row of an item.
void DeleteOpeningDataRow(data::Connection& db, const std::string& period, const std::string& code);
// Deletes the item's rows of every month.
void DeleteOpeningDataOfItem(data::Connection& db, const std::string& code);

}  // namespace qj::cashflow
