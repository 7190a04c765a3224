// The main of the GUI test programs: one QApplication for all tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QThreadPool>
#include <cstdlib>

int main(int argc, char** argv) {
  // Without a display (CI, or ctest listing the tests) the widgets draw offscreen.
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  // Qt converts large images (a screenshot of the main window) on its global
  // thread pool; its threads are joined and freed here, not raced by the
  // process's exit, so that the leak checker reports only real leaks.
  QThreadPool::globalInstance()->waitForDone();
  return result;
}
