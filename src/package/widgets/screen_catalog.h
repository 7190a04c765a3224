// The screens this build of the package has, registered when the package loads.
#pragma once

namespace qj::package {

// Registers every built screen with the screen registry under its form-name key.
void RegisterBuiltScreens();
// Forgets them again when the package unloads.
void UnregisterBuiltScreens();

}  // namespace qj::package
