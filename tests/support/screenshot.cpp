#include "support/screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

namespace qj::test {

std::string SaveScreenshot(QWidget& widget, const std::string& name) {
  const char* folder = std::getenv("QJ_SCREENSHOT_DIR");
  if (!folder || !*folder) return {};
  QDir().mkpath(QString::fromUtf8(folder));
  const QString path = QString::fromUtf8(folder) + "/" + QString::fromStdString(name) + ".png";
  if (!widget.grab().save(path, "PNG")) return {};
  return path.toStdString();
}

}  // namespace qj::test
