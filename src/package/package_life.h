// Loading and unloading the package.
#pragma once

#include "hostapi/host_services.h"

namespace qj::package {

// Registers every command with the host, each bound to `entry` (Finance_Call).
void Load(FinanceCallback entry);
// Closes the list screens and filter dialogs the package still has open.
void Unload();

}  // namespace qj::package
