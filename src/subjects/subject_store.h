// Reading and writing rows of Subject. Codes are compared literally: a "_" or
// "%" in a code is an ordinary character.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "subjects/subject.h"

namespace qj::subjects {

std::optional<Subject> FindSubject(data::Connection& db, const std::string& code);
// The subjects of one class in code order (SUBJECTID>'k' AND SUBJECTID<'k+1').
std::vector<Subject> ClassSubjects(data::Connection& db, int classDigit);
bool ClassHasSubjects(data::Connection& db, int classDigit);

// How many subjects lie below a code (every longer code beginning with it).
int CountSubAccounts(data::Connection& db, const std::string& code);
// The highest code of the given length below a prefix.
std::optional<std::string> HighestSubAccount(data::Connection& db, const std::string& prefix, int length);

void InsertSubject(data::Connection& db, const Subject& subject);
// Rewrites every column of the row `code`, the code itself included.
void UpdateSubject(data::Connection& db, const std::string& code, const Subject& subject);
// Marks a subject detail or summary, with the copies of the flag in its opening rows.
void SetDetailFlag(data::Connection& db, const std::string& code, bool detail);
// Deletes the subject's own row.
void DeleteSubjectRow(data::Connection& db, const std::string& code);

// Points a reserved-subject entry (HostReservedSub) at a subject.
void InsertReservedSubject(data::Connection& db, int entry, const std::string& code);

}  // namespace qj::subjects
