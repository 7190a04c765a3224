// The package's handle on its host, set once when the host attaches itself.
#pragma once

#include "hostapi/host_services.h"

namespace qj::base {

void AttachHost(HostServices* host);
// The attached host; throws std::logic_error when none is attached.
HostServices& Host();

}  // namespace qj::base
