// Whether a code is a detail subject, the one kind that may carry voucher lines.
#pragma once

#include <optional>
#include <string>

#include "data/connection.h"
#include "hostapi/refusal.h"

namespace qj::subjects {

// Nothing when the code is a subject and the next subject in code order is no
// longer than it; otherwise why not (empty code, no such subject, or a next
// subject with a longer code: sub-accounts).
std::optional<Refusal> DetailSubjectRefusal(data::Connection& db, const std::string& code);

// The same as a yes or no; with `showMessages` the reason goes to the host.
bool IsDetailSubject(HostServices& host, const std::string& code, bool showMessages);

}  // namespace qj::subjects
