// Creating and repairing the opening-balance rows (SubjectStartData) from the
// chart of accounts and the currencies.
//
// A row exists for every currency of RateInit and every subject when the
// currency is 99 (all currencies in local money), the subject accounts for all
// foreign currencies (VorWBFlag 2), the subject is a summary subject, or the
// currency is the subject's own (its MONEYID for VorWBFlag 1, else 0).
#pragma once

#include "data/connection.h"

namespace qj::subjects {

// Brings RateInit in line with Currency (always with row 99 at rate 1), drops
// rows whose subject or currency is gone and empty rows that no longer fit a
// detail subject's currency, copies the subjects' flags and directions into
// their rows, turns empty amounts into 0 and adds the missing rows. One
// transaction; a second run changes nothing.
void CreateSubjectStartData(data::Connection& db);

// Recreates every opening row from the chart with zero amounts, in one transaction.
void SubjectStartDataInitial(data::Connection& db);

}  // namespace qj::subjects
