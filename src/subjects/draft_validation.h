// The checks a subject passes before it is saved from the add or modify dialog,
// in the order the user meets them.
#pragma once

#include <optional>
#include <string>

#include "data/connection.h"
#include "hostapi/refusal.h"
#include "subjects/chart_rules.h"
#include "subjects/subject.h"

namespace qj::subjects {

// Where a draft is saved: under the fixed prefix, on a level, in the class
// the screen shows; for a modification, the code the subject has now.
struct DraftPlace {
  std::string prefix;
  int level = 1;
  int classDigit = 1;
  std::string currentCode;  // empty when adding
};

// Name, direction, currency, code length, class, uniqueness; when modifying,
// a changed code also needs a subject without documents and sub-accounts.
std::optional<Refusal> CheckDraft(data::Connection& db, const ChartRules& rules, const DraftPlace& place,
                                  const SubjectDraft& draft);

// The code-format message for the book's structure ("…正确的格式应为：3-2-2-2").
Refusal CodeFormatRefusal(const ChartRules& rules);
// A code, or a segment of one, with anything but the digits 0 to 9: nothing
// else sorts, nests and matches as the chart's codes must.
std::optional<Refusal> NonDigitCodeRefusal(const std::string& code);

}  // namespace qj::subjects
