// Storing a demo book's currencies (Currency), and reading the subjects
// (Subject) its demo chart and vouchers are grown over.
#pragma once

#include <string>
#include <vector>

#include "data/connection.h"
#include "vouchers/currencies.h"

namespace qj::vouchers {

// Whether the book has a currency row with this MONEYID.
bool CurrencyStored(data::Connection& db, int moneyId);
// Adds the currency's row.
void InsertCurrency(data::Connection& db, const Currency& currency);

// How many subjects the chart holds.
int CountSubjects(data::Connection& db);
// Every subject's code, in code order.
std::vector<std::string> SubjectCodesInOrder(data::Connection& db);

}  // namespace qj::vouchers
