#include "support/screenshot.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>
#include <cstdlib>

namespace qj::test {

std::string SaveScreenshot(QWidget& widget, const std::string& name) {
  const char* chosen = std::getenv("QJ_SCREENSHOT_DIR");
  const QString folder = QString::fromUtf8(chosen && *chosen ? chosen : QJ_SCREENSHOT_FOLDER);
  const QString path = folder + "/" + QString::fromStdString(name) + ".png";
  // Written whole and then renamed into place: the same screenshot taken by
  // the test on each engine, running in parallel, never meets half a file.
  QSaveFile file(path);
  if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || !widget.grab().save(&file, "PNG") ||
      !file.commit()) {
    ADD_FAILURE() << "screenshot not written: " << path.toStdString();
    return {};
  }
  return path.toStdString();
}

}  // namespace qj::test
