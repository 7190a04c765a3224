// Saves what a widget shows as a PNG under the build tree, for a reviewer to look at.
#pragma once

#include <string>

class QWidget;

namespace qj::test {

// Writes <folder>/<name>.png and returns the path: the folder is
// $QJ_SCREENSHOT_DIR when set, else the build tree's screenshots folder, and
// is made when missing. A screenshot that cannot be written fails the test.
std::string SaveScreenshot(QWidget& widget, const std::string& name);

}  // namespace qj::test
