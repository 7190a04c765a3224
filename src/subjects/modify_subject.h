// Modifying a subject: its name, direction, currency and cash-flow settings,
// help code and, for a subject without documents or sub-accounts, its code,
// which every table holding it follows.
#pragma once

#include <optional>
#include <string>

#include "data/connection.h"
#include "hostapi/refusal.h"
#include "subjects/add_subject.h"
#include "subjects/chart_rules.h"
#include "subjects/subject.h"

namespace qj::subjects {

// The fixed prefix of a subject's code in the modify dialog (its parent's
// code, "" on level 1) and the draft holding its current values.
std::string FixedPrefixOf(const ChartRules& rules, const std::string& code);
SubjectDraft DraftOf(const ChartRules& rules, const Subject& subject);

// Stores the changes in one transaction after repeating every check.
std::optional<Refusal> StoreModifiedSubject(data::Connection& db, const ChartRules& rules, const std::string& code,
                                            const SubjectDraft& draft);

// The button: privilege 8 (modify), a selection, the subject re-read.
std::optional<Subject> PlanModify(HostServices& host, const std::string& selected);
// The dialog's confirmation; a code change holds "CREDLOCK".
SaveResult ModifySubject(HostServices& host, const std::string& code, const SubjectDraft& draft);

}  // namespace qj::subjects
