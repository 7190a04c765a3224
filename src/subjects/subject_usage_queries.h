// Reading whether documents or other modules depend on a subject.
#pragma once

#include <string>

#include "data/connection.h"

namespace qj::subjects {

// A subject is used when a voucher line carries it, one of its opening rows
// holds a non-zero DEBIT, CREDIT, Balance or PLHAVEDONE, or the bank,
// discount or income-and-payout lists hold a row with its code.
bool IsUsed(data::Connection& db, const std::string& code);

// The cost module refers to the subject: a CostMeans subject column begins with its code.
bool IsCostReferenced(data::Connection& db, const std::string& code);

}  // namespace qj::subjects
