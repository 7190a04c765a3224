// Writing the working copy of the opening rows (SubjectStartDatatemp) that the
// opening-balance screen takes when it opens and restores from when the user
// discards the changes.
#pragma once

#include "data/connection.h"

namespace qj::subjects {

// Replaces the copy with the current rows, in one transaction.
void SaveWorkingCopy(data::Connection& db);

// Takes every amount column and RATE of each row back from the copy (by
// MNYIDSUBJECTID), in one statement.
void RestoreWorkingCopy(data::Connection& db);

}  // namespace qj::subjects
