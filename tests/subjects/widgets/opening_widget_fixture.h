// A book with a small chart and the opening-balance screen's widgets at hand.
#pragma once

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>
#include <string>

#include "base/screen_registry.h"
#include "package/widgets/screen_catalog.h"
#include "subjects/opening_fixture.h"
#include "subjects/widgets/opening_dialog.h"
#include "support/screenshot.h"

namespace qj::test {

class OpeningWidgetTest : public OpeningTest {
 protected:
  void SetUp() override {
    OpeningTest::SetUp();
    subject("101", 'T', false);
    subject("10101", 'T', true);
    subject("10102", 'T', true, 1, 1);  // kept in US dollars
    subject("201", 'F', true);
    package::RegisterBuiltScreens();
  }
  void TearDown() override {
    dialog_.reset();
    base::UnregisterAllScreens();
    OpeningTest::TearDown();
  }

  // The screen opened directly, shown and ready.
  subjects::OpeningDialog& opened() {
    dialog_ = std::make_unique<subjects::OpeningDialog>(host());
    EXPECT_TRUE(dialog_->prepare());
    dialog_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog_.get()));
    return *dialog_;
  }

  // Saves what the screen shows, once its layout has caught up with the last change.
  void snap(const std::string& name) {
    QApplication::processEvents();
    SaveScreenshot(*dialog_, name);
  }

  QTableView& table() { return *dialog_->findChild<QTableView*>("openingTable"); }
  QPushButton& button(const char* name) { return *dialog_->findChild<QPushButton*>(name); }
  void press(const char* name) { QTest::mouseClick(&button(name), Qt::LeftButton); }

  // The cell of a subject's row ("" for the total line) under a heading
  // ("本年累计|借方" as "本年累计\n借方").
  QModelIndex cell(const std::string& code, const std::string& heading) {
    const QAbstractItemModel& model = *table().model();
    QString title = QString::fromStdString(heading).replace('|', '\n');
    int column = -1;
    for (int c = 0; c < model.columnCount(); ++c)
      if (model.headerData(c, Qt::Horizontal).toString() == title) column = c;
    for (int r = 0; r < model.rowCount(); ++r) {
      const bool total = r == model.rowCount() - 1;
      if (total ? code.empty() : model.index(r, 0).data().toString().toStdString() == code)
        return model.index(r, column);
    }
    return {};
  }
  std::string shown(const std::string& code, const std::string& heading) {
    return cell(code, heading).data().toString().toStdString();
  }

  // Types an amount into a cell as a user does: opens its editor, types and,
  // unless told otherwise, presses Enter.
  void type(const std::string& code, const std::string& heading, const char* amount, bool enter = true) {
    const QModelIndex index = cell(code, heading);
    ASSERT_TRUE(index.isValid()) << code << " " << heading;
    table().setCurrentIndex(index);
    table().edit(index);
    auto* editor = qobject_cast<QLineEdit*>(table().indexWidget(index));
    ASSERT_NE(editor, nullptr) << "no editor on " << code << " " << heading;
    editor->selectAll();
    QTest::keyClicks(editor, amount);
    if (!enter) return;
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the view hands the text over after the key
  }

 private:
  std::unique_ptr<subjects::OpeningDialog> dialog_;
};

}  // namespace qj::test
