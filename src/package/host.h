// The package's handle on its host, set once when the host attaches itself.
#pragma once

#include "package/hostapi/host_services.h"

namespace qj::package {

void AttachHost(HostServices* host);
// The attached host; throws std::logic_error when none is attached.
HostServices& Host();

}  // namespace qj::package
