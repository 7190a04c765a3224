#include "package/widgets/screen_catalog.h"

#include "package/screen_registry.h"

namespace qj::package {

void RegisterBuiltScreens() {
  // Each subsystem's screens are added here as they are built.
}

}  // namespace qj::package
