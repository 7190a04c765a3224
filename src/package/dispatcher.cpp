#include "package/dispatcher.h"

namespace qj::package {

const std::vector<std::string>& CommandNames() {
  static const std::vector<std::string> names;
  return names;
}

long Dispatch(const std::string&, const std::string&, VorParams*) { return 0; }

}  // namespace qj::package
