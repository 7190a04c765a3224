// Finding a screen's widgets by object name and pressing its buttons, for the GUI tests.
#pragma once

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace qj::test {

// The child named `name`; a test failure when there is none.
template <class T>
T& Child(QWidget& within, const char* name) {
  T* found = within.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return *found;
}

// Clicks the push button named `button`.
inline void Click(QWidget& within, const char* button) {
  QTest::mouseClick(&Child<QPushButton>(within, button), Qt::LeftButton);
}

}  // namespace qj::test
