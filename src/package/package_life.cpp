#include "package/package_life.h"

#include "base/host.h"
#include "base/screen_registry.h"
#include "package/dispatcher.h"

namespace qj::package {

void Load(FinanceCallback entry) {
  for (const std::string& name : CommandNames()) base::Host().RegistFunction(name, entry);
}

void Unload() { base::CloseAllScreens(); }

}  // namespace qj::package
