// Database work started from a screen: a failure is told to the user and the
// screen carries on, never an exception into the window system.
#pragma once

#include <functional>

#include "hostapi/host_services.h"

namespace qj::base {

// Runs `work`; a database error (its transaction rolled back while it left)
// goes to the host's database-error handler, any other failure to a message
// box. True when the work finished.
bool ReportFailures(HostServices& host, const std::function<void()>& work);

}  // namespace qj::base
