// Lookups of subjects by code that other subsystems and packages ask for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/connection.h"
#include "subjects/code_structure.h"

namespace qj::subjects {

// The subject's name; "" when there is no such subject.
std::string SubjectName(data::Connection& db, const std::string& code);

// How many subjects begin with `code` (compared literally, so "_" and "%" in
// it are ordinary characters): 0 none, 2 exactly one, 1 more than one.
int SubjectPrefixCount(data::Connection& db, const std::string& code);

// The names of the subject and its ancestors, outermost first, joined by " → ";
// with `withCode` the code and a space come first.
std::string FullSubjectName(data::Connection& db, const CodeStructure& structure, const std::string& code,
                            bool withCode);

// The first subject (in code order) whose code is as long as none of the
// levels' cumulative lengths; nothing when every code fits.
std::optional<std::string> FirstSubjectOutsideLevels(data::Connection& db, const std::vector<int>& lengths);

}  // namespace qj::subjects
