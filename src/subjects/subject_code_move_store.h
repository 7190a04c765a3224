// Moving a subject's code, and its data with it, through every table that
// holds it when the tree changes. Each move is a handful of set-based
// statements; the caller runs it inside its transaction, holding "CREDLOCK"
// since vouchers and balances change.
//
// Documents and references are the voucher lines and the sibling modules'
// rows holding the code: Bank, Discount, IncomePayoutType, FixedAssetsCard,
// EmployeeTypeLaborage (debit and credit subject) and CostMeans.
#pragma once

#include <string>

#include "data/connection.h"
#include "subjects/subject.h"

namespace qj::subjects {

// A used detail subject gets its first sub-account: the documents and
// references move to the new sub-account, which also receives copies of the
// subject's balances, profit-and-loss figures and opening rows; the subject
// keeps those as the totals of its only sub-account.
void MoveDataToNewSubAccount(data::Connection& db, const std::string& parent, const Subject& child);

// A used only sub-account is deleted: its documents and references move to the
// parent, its opening rows replace the parent's rows of the same currencies
// (the parent becomes the detail subject they belong to), and its balances and
// profit-and-loss rows go (the parent's already hold the same figures).
void MoveDataToParent(data::Connection& db, const std::string& child, const Subject& parent);

// A subject's code changes: every table holding the code follows, the ledger's
// balances, opening rows and the multi-column, cash-flow and reserved-subject
// definitions included.
void CarryCodeChange(data::Connection& db, const std::string& from, const std::string& to);

}  // namespace qj::subjects
