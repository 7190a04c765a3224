#include "desktop/user_admin_dialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>

#include "host/book_creation.h"
#include "host/host_application.h"
#include "host/privileged_functions.h"
#include "support/scratch_database.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

int RowOf(QTableWidget* table, const QString& text) {
  for (int row = 0; row < table->rowCount(); ++row)
    if (table->item(row, 0)->text() == text) return row;
  ADD_FAILURE() << "no row " << text.toStdString();
  return 0;
}

TEST(UserAdminDialog, TickedPrivilegesAreGrantedAndRemovedUsersGone) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  book.companyName = "青简测试有限公司";
  host::CreateBook(book);
  auto session = host::BookSession::Open(scratch.location());
  host::UserStore users(session->db());
  users.add("会计", "");
  users.grant("会计", 58, 2);
  host::ScriptedMessageBoxes boxes;
  host::HostApplication host(*session, boxes, host::kAdministrator);
  host::UserAdminModel model(session->db(), host::kAdministrator);
  desktop::UserAdminDialog dialog(model, host);
  dialog.show();

  auto* userList = dialog.findChild<QTableWidget*>(QStringLiteral("users"));
  auto* privileges = dialog.findChild<QTableWidget*>(QStringLiteral("privileges"));
  userList->selectRow(RowOf(userList, QStringLiteral("会计")));
  int voucherEntry = 0;
  while (host::PrivilegedFunctions()[static_cast<std::size_t>(voucherEntry)].number != 58) ++voucherEntry;
  EXPECT_EQ(privileges->verticalHeaderItem(voucherEntry)->text(), QStringLiteral("凭证录入"))
      << "the rights show the screen's name, not its function number";
  EXPECT_EQ(privileges->item(voucherEntry, 1)->checkState(), Qt::Checked);  // 58 新增, granted before
  privileges->item(voucherEntry, 0)->setCheckState(Qt::Checked);
  privileges->item(voucherEntry, 1)->setCheckState(Qt::Unchecked);
  EXPECT_TRUE(users.hasPrivilege("会计", 58, 1));
  EXPECT_FALSE(users.hasPrivilege("会计", 58, 2));
  SaveScreenshot(dialog, "user_admin");

  boxes.scriptAnswer(true);
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->text() == QStringLiteral("删除用户")) button->click();
  EXPECT_FALSE(users.exists("会计"));
  EXPECT_EQ(userList->rowCount(), 1);
  ASSERT_EQ(boxes.shown().size(), 1u);  // only the question
  EXPECT_EQ(boxes.shown()[0].text, "确实要删除用户“会计”及其全部权限吗？");
}

}  // namespace
}  // namespace qj::test
