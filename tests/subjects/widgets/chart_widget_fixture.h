// A book with the standard chart, and helpers to reach the chart screens' widgets.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>

#include "base/screen_registry.h"
#include "base/subject_chooser_hook.h"
#include "subjects/chart_fixture.h"
#include "subjects/standard_chart.h"
#include "subjects/widgets/chart_view.h"

namespace qj::test {

class ChartWidgetTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    subjects::InstallStandardChart(db(), base::CodeStructure(host().book.SubjectLevelLen));
  }
  void TearDown() override {
    base::SetSubjectChooser({});
    base::UnregisterAllScreens();
    ChartTest::TearDown();
  }

  // Runs `inside` on the modal dialog as soon as it shows, then closes it if
  // it is still open, so that a failing test ends instead of waiting.
  static void WhenModal(std::function<void(QDialog&)> inside, int attempts = 200) {
    QTimer::singleShot(10, [inside = std::move(inside), attempts] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) {
        if (attempts > 0) WhenModal(inside, attempts - 1);
        return;
      }
      inside(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
  }

  // The tree item showing a code, or nullptr.
  static QTreeWidgetItem* Item(subjects::ChartView& chart, const std::string& code) {
    const QString prefix = QString::fromStdString(code) + " ";
    for (QTreeWidgetItemIterator it(chart.tree()); *it; ++it)
      if ((*it)->text(0).startsWith(prefix)) return *it;
    return nullptr;
  }
  static void Click(QWidget& within, const QString& text) {
    for (QPushButton* button : within.findChildren<QPushButton*>()) {
      if (button->text() != text) continue;
      QTest::mouseClick(button, Qt::LeftButton);
      return;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
  }
};

}  // namespace qj::test
