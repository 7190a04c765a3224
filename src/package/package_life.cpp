#include "package/package_life.h"

#include "package/dispatcher.h"
#include "package/host.h"

namespace qj::package {

void Load(FinanceCallback entry) {
  for (const std::string& name : CommandNames()) Host().RegistFunction(name, entry);
}

void Unload() {}

}  // namespace qj::package
