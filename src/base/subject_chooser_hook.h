// GETASSUBCODE shows the subject chooser, a Qt screen the rules do not link:
// the screens hand the chooser over when the package loads.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "hostapi/host_services.h"

namespace qj::base {

// Shows the chooser modally: the chosen code, or nothing when the user cancels.
using SubjectChooser = std::function<std::optional<std::string>(HostServices&)>;

// An empty chooser (a build or host without screens) leaves GETASSUBCODE doing nothing.
void SetSubjectChooser(SubjectChooser chooser);
[[nodiscard]] const SubjectChooser& TheSubjectChooser();

}  // namespace qj::base
