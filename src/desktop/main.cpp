// qingjian: the desktop program.
#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "desktop/desktop.h"
#include "host/process_memory.h"

namespace {

constexpr const char* kUsage =
    "用法：qingjian [帐套]\n"
    "帐套为 SQLite 帐套文件的路径，或 postgresql:// 开头的数据库地址；登录窗口先选中它。\n";

bool displayAvailable(int argc, char** argv) {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* value = std::getenv(name); value && *value) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  return false;
}

// Qt ends the process when it cannot reach the display; say why in our words first.
void reportFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  if (type == QtFatalMsg) {
    std::fputs("qingjian: 无法启动图形界面（连接不到显示）。没有图形显示时请使用 qingjian-cli。\n", stderr);
    std::_Exit(2);
  }
}

void useChineseTexts(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* qtTexts = new QTranslator(&app);
  if (qtTexts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(qtTexts);
  const QString font = QStringLiteral("Noto Sans CJK SC");
  if (QFontDatabase::families().contains(font)) QApplication::setFont(QFont(font, 10));
}

bool askedForHelp(int argc, char** argv) {
  return argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (askedForHelp(argc, argv)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!displayAvailable(argc, argv)) {
    std::fputs("qingjian: 没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 都未设置）。没有图形显示时请使用 qingjian-cli。\n",
               stderr);
    return 2;
  }
  qj::host::KeepFreedMemoryForReuse();
  qInstallMessageHandler(reportFatal);
  QApplication app(argc, argv);
  qInstallMessageHandler(nullptr);

  // Qt has taken its own options; what is left is ours.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].startsWith(QLatin1Char('-')))) {
    std::fputs(kUsage, stderr);
    return 1;
  }

  QApplication::setOrganizationName(QStringLiteral("qingjian"));
  QApplication::setApplicationName(QStringLiteral("qingjian"));
  // The program ends when the book's window closes, not when the log-in dialog does.
  QApplication::setQuitOnLastWindowClosed(false);
  useChineseTexts(app);

  QSettings settings;
  qj::desktop::Desktop desktop(settings, arguments.size() == 2 ? arguments[1] : QString());
  QObject::connect(&desktop, &qj::desktop::Desktop::finished, &app, &QCoreApplication::quit);
  if (!desktop.start()) return 0;
  return QApplication::exec();
}
