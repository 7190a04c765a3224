// Lookups of subjects by code that other subsystems and packages ask for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/code_structure.h"
#include "data/connection.h"

namespace qj::subjects {

// The subject's name; "" when there is no such subject.
std::string SubjectName(data::Connection& db, const std::string& code);

// How many subjects begin with `code` (compared literally, so "_" and "%" in
// it are ordinary characters): 0 none, 2 exactly one, 1 more than one.
int SubjectPrefixCount(data::Connection& db, const std::string& code);

// The first two subject codes in code order from `code` on, `code` itself included.
std::vector<std::string> FirstTwoCodesFrom(data::Connection& db, const std::string& code);

// The names of the subject and its ancestors, outermost first, joined by " → ";
// with `withCode` the code and a space come first.
std::string FullSubjectName(data::Connection& db, const base::CodeStructure& structure, const std::string& code,
                            bool withCode);

}  // namespace qj::subjects
