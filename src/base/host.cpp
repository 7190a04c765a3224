#include "base/host.h"

#include <stdexcept>

namespace qj::base {
namespace {
HostServices* attached = nullptr;
}

void AttachHost(HostServices* host) { attached = host; }

HostServices& Host() {
  if (!attached) throw std::logic_error("the package is not attached to a host");
  return *attached;
}

}  // namespace qj::base
