// Saves what a widget shows as a PNG under the build tree, for a reviewer to look at.
#pragma once

#include <string>

class QWidget;

namespace qj::test {

// Writes $QJ_SCREENSHOT_DIR/<name>.png (the folder is made when missing) and
// returns the path, or "" when no folder is set or the widget cannot be grabbed.
std::string SaveScreenshot(QWidget& widget, const std::string& name);

}  // namespace qj::test
