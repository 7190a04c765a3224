// Adding a subject: what the add buttons check before the dialog opens, and the
// save, which checks everything again inside the transaction that stores the row.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "data/connection.h"
#include "hostapi/refusal.h"
#include "subjects/chart_rules.h"
#include "subjects/subject.h"

namespace qj::subjects {

enum class AddKind {
  Ordinary,
  Counterparty,  // a customer or supplier sub-account of a control account
};

// Where a new subject goes and what comes with it.
struct AddPlan {
  std::string parent;  // the subject it goes under: the fixed prefix of its code; "" on level 1
  int level = 1;
  int classDigit = 1;
  std::string proposedSegment;  // empty when the parent's segment is exhausted
  AddKind kind = AddKind::Ordinary;
  int controlCode = 0;         // Counterparty: the control account's standard code
  bool takesOverData = false;  // the parent is used and this is its first sub-account
};

enum class SaveResult { Saved, Refused, Declined };

// Whether a sub-account may be added under `parent`: its level, protection,
// control-account and used-subject rules, with the proposed code.
std::variant<AddPlan, Refusal> CheckAddUnder(data::Connection& db, const ChartRules& rules, const Subject& parent);
// Where a subject with a typed code would go (the command line and imports).
std::variant<AddPlan, Refusal> CheckAddOfCode(data::Connection& db, const ChartRules& rules, const std::string& code);

// Stores the new subject in one transaction after repeating every check of the
// plan and the draft; `moveConfirmed` says the user agreed that the parent's
// data move to it. Nothing is stored when a refusal comes back.
std::optional<Refusal> StoreNewSubject(data::Connection& db, const ChartRules& rules, const AddPlan& plan,
                                       const SubjectDraft& draft, bool moveConfirmed);

// The buttons. Each checks privilege 8 (add) first; refusals go to the host.
std::optional<AddPlan> PlanAddChild(HostServices& host, const std::string& selected);
// A sibling of the selected subject; in a class without subjects, the class's
// first level-1 subject.
std::optional<AddPlan> PlanAddSibling(HostServices& host, const std::string& selected, int shownClass);
std::optional<AddPlan> PlanAddOfCode(HostServices& host, const std::string& code);

// The dialog's confirmation: checks the draft, asks before a data move, takes
// "CREDLOCK" for it, stores.
SaveResult AddSubject(HostServices& host, const AddPlan& plan, const SubjectDraft& draft);

}  // namespace qj::subjects
