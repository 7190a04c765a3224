// Command dispatch: every command reaches the package by name through Finance_Call.
#pragma once

#include <string>
#include <vector>

#include "hostapi/vor_params.h"

namespace qj::package {

// The command names in the order they are registered with the host.
const std::vector<std::string>& CommandNames();

// Runs the command (names compare without regard to case). Never throws: a
// database error goes to the host's database-error handler after the work was
// rolled back, any other failure becomes a message box. Always returns 0.
long Dispatch(const std::string& command, const std::string& param, VorParams* params);

}  // namespace qj::package
