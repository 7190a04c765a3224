#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "desktop/calculator.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

TEST(CalculatorDialog, KeysAndButtonsReachTheArithmetic) {
  desktop::CalculatorDialog dialog;
  dialog.show();
  QTest::keyClicks(&dialog, QStringLiteral("12.5*4"));
  auto* display = dialog.findChild<QLabel*>(QStringLiteral("display"));
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(display->text(), QStringLiteral("4"));
  for (QPushButton* key : dialog.findChildren<QPushButton*>())
    if (key->text() == QStringLiteral("=")) key->click();
  EXPECT_EQ(display->text(), QStringLiteral("50"));
  QTest::keyClicks(&dialog, QStringLiteral("/3"));
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(display->text(), QStringLiteral("16.6667"));
  EXPECT_TRUE(dialog.isVisible());  // Enter is a key of the calculator, not the dialog's OK
  SaveScreenshot(dialog, "calculator");
}

}  // namespace
}  // namespace qj::test
