// Deleting a detail subject; a used one only when it is its parent's only
// sub-account, whose data then move up to the parent.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "data/connection.h"
#include "hostapi/refusal.h"
#include "subjects/add_subject.h"
#include "subjects/chart_rules.h"
#include "subjects/subject.h"

namespace qj::subjects {

struct DeletePlan {
  Subject subject;
  std::string parent;      // "" on level 1
  bool onlyChild = false;  // the parent becomes a detail subject
  bool movesData = false;  // the subject is used: its data go to the parent
};

// The deletion rules in the order the user meets them.
std::variant<DeletePlan, Refusal> CheckDelete(data::Connection& db, const ChartRules& rules, const std::string& code);

// Deletes in one transaction after repeating every check; refuses when the
// subject changed so that the confirmed plan no longer fits.
std::optional<Refusal> StoreDeletion(data::Connection& db, const ChartRules& rules, const DeletePlan& confirmed);

// The button: privilege 8 (delete), the checks, the confirmation and, for a
// data move, "CREDLOCK".
SaveResult DeleteSubject(HostServices& host, const std::string& selected);

}  // namespace qj::subjects
