// The main of the GUI test programs: one QApplication for all tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Qt starts threads of its own (its global thread pool, which it uses for
// image conversions). Each QThread's constructor allocates the thread's data,
// which is released from the thread's own storage as the thread ends; when the
// process exits while such a thread is still ending, the leak checker finds
// that block reachable from nothing and reports it. Our code starts no QThread,
// so what a QThread's constructor allocated is Qt's own. The frame is only seen
// with the slow unwinder, since Qt is built without frame pointers. (Read by
// the address sanitizer when the tests are built with it.)
extern "C" const char* __asan_default_options() {  // NOLINT(bugprone-reserved-identifier)
  return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier)
  return "leak:QThread::QThread\n";
}

int main(int argc, char** argv) {
  // Without a display (CI, or ctest listing the tests) the widgets draw offscreen.
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
