// The package's commands: name, and what each does with the parameter bag.
#pragma once

#include <string>
#include <vector>

#include "hostapi/vor_params.h"

namespace qj::package {

struct CommandEntry {
  std::string name;  // as registered with the host
  // Runs the command; `param` is the upper-cased argument. Null when the
  // command's part of the package is not built yet: it then does nothing.
  void (*run)(const std::string& param, VorParams& bag) = nullptr;
};

// Every command in registration order.
const std::vector<CommandEntry>& CommandTable();

}  // namespace qj::package
