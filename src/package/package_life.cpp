#include "package/package_life.h"

#include "package/dispatcher.h"
#include "package/host.h"
#include "package/screen_registry.h"

namespace qj::package {

void Load(FinanceCallback entry) {
  for (const std::string& name : CommandNames()) Host().RegistFunction(name, entry);
}

void Unload() { CloseAllScreens(); }

}  // namespace qj::package
