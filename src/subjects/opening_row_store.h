// Writing the opening-balance rows (SubjectStartData): creating and repairing
// them from the chart of accounts and the currencies, and the changes that
// subjects, entered figures and other modules make to single rows.
//
// A row exists for every currency of RateInit and every subject when the
// currency is 99 (all currencies in local money), the subject accounts for all
// foreign currencies (VorWBFlag 2), the subject is a summary subject, or the
// currency is the subject's own (its MONEYID for VorWBFlag 1, else 0).
#pragma once

#include <optional>
#include <string>

#include "data/connection.h"
#include "data/money.h"
#include "subjects/opening_listing_queries.h"
#include "subjects/subject.h"

namespace qj::subjects {

// Brings RateInit in line with Currency (always with row 99 at rate 1), drops
// rows whose subject or currency is gone and empty rows that no longer fit a
// detail subject's currency, copies the subjects' flags and directions into
// their rows, turns empty amounts into 0 and adds the missing rows. One
// transaction; a second run changes nothing.
void CreateSubjectStartData(data::Connection& db);

// Recreates every opening row from the chart with zero amounts, in one transaction.
void SubjectStartDataInitial(data::Connection& db);

// Deletes a subject's opening rows in every currency.
void DeleteSubjectOpeningRows(data::Connection& db, const std::string& subjectId);

// Copies a subject's name and direction into its opening rows.
void CopySubjectIntoOpeningRows(data::Connection& db, const Subject& subject);

// Whether the row with this key is on the debit side (DCFLAG 'T'); none when there is no such row.
std::optional<bool> OpeningRowDebitSide(data::Connection& db, const std::string& key);

// Replaces DEBIT, CREDIT and Balance of the row with this key.
void SetOpeningFigures(data::Connection& db, const std::string& key, Money debit, Money credit, Money balance);

// Stores a row's entered figures by its key and turns its other empty amounts into 0.
void StoreEnteredFigures(data::Connection& db, const OpeningRow& row);

}  // namespace qj::subjects
