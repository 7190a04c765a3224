#include "support/screenshot.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

namespace qj::test {

std::string SaveScreenshot(QWidget& widget, const std::string& name) {
  const char* chosen = std::getenv("QJ_SCREENSHOT_DIR");
  const QString folder = QString::fromUtf8(chosen && *chosen ? chosen : QJ_SCREENSHOT_FOLDER);
  const QString path = folder + "/" + QString::fromStdString(name) + ".png";
  if (!QDir().mkpath(folder) || !widget.grab().save(path, "PNG")) {
    ADD_FAILURE() << "screenshot not written: " << path.toStdString();
    return {};
  }
  return path.toStdString();
}

}  // namespace qj::test
