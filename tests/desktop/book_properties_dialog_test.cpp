#include "desktop/book_properties_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "host/book_creation.h"
#include "host/host_application.h"
#include "support/scratch_database.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

template <typename Widget>
Widget* Named(QWidget& window, const QString& text) {
  for (Widget* widget : window.findChildren<Widget*>())
    if (widget->text() == text) return widget;
  ADD_FAILURE() << "no " << text.toStdString();
  return nullptr;
}

// Chinese text arrives as an input method's commit.
void Type(QWidget* widget, const QString& text) {
  ASSERT_NE(widget, nullptr);
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(widget, &commit);
}

TEST(BookPropertiesDialog, EditsOnEveryPageAreSaved) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  book.companyName = "青简测试有限公司";
  book.voucherTypeScheme = 2;
  host::CreateBook(book);
  auto session = host::BookSession::Open(scratch.location());
  host::ScriptedMessageBoxes boxes;
  host::HostApplication host(*session, boxes, host::kAdministrator);
  host::BookPropertiesModel model(*session, host::kAdministrator);
  desktop::BookPropertiesDialog dialog(model, host);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("单位名称"));
  ASSERT_NE(name, nullptr);
  name->selectAll();
  Type(name, QStringLiteral("北京青简商贸有限公司"));
  SaveScreenshot(dialog, "book_properties_company");

  auto* tabs = dialog.findChild<QTabWidget*>();
  tabs->setCurrentIndex(1);
  Named<QCheckBox>(dialog, QStringLiteral("凭证必须审核后才能登帐"))->click();
  SaveScreenshot(dialog, "book_properties_vouchers");

  tabs->setCurrentIndex(2);
  auto* currencies = tabs->currentWidget()->findChild<QTableWidget*>();
  Named<QPushButton>(dialog, QStringLiteral("增加外币"))->click();  // opens the new name for typing
  QWidget* editor = QApplication::focusWidget();
  Type(editor, QStringLiteral("美元"));
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  currencies->editItem(currencies->item(0, 2));
  Type(QApplication::focusWidget(), QStringLiteral("6.8312"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QApplication::processEvents();  // the table takes the editor's text after the key
  EXPECT_EQ(currencies->item(0, 2)->text(), QStringLiteral("6.8312"));
  SaveScreenshot(dialog, "book_properties_currencies");

  Named<QPushButton>(dialog, QStringLiteral("保存"))->click();
  EXPECT_TRUE(boxes.shown().empty()) << boxes.shown().front().text;
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  data::Connection& db = session->db();
  EXPECT_EQ(data::TextOf(db.scalar("SELECT PARAMVALUE FROM HostBookParam WHERE PARAMNAME='CompanyName'")),
            "北京青简商贸有限公司");
  EXPECT_EQ(data::TextOf(db.scalar("SELECT MUSTCHECK FROM AccountState")), "T");
  EXPECT_EQ(data::TextOf(db.scalar("SELECT NAME FROM Currency WHERE MONEYID=1")), "美元");
  EXPECT_EQ(session->record().CompanyName, "北京青简商贸有限公司");
}

}  // namespace
}  // namespace qj::test
