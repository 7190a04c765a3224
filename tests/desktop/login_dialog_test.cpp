#include <algorithm>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "desktop/dialog_message_boxes.h"
#include "desktop/login_dialog.h"
#include "desktop/new_book_dialog.h"
#include "desktop_fixture.h"
#include "host/book_record_store.h"
#include "host/book_session.h"
#include "host/named_locks.h"
#include "host/user_store.h"
#include "support/screenshot.h"

namespace qj::test {
namespace {

class LoginDialogTest : public DesktopTest {
 protected:
  desktop::DialogMessageBoxes boxes;

  static void type(QWidget& window, const char* field, const QString& text) {
    auto* edit = window.findChild<QLineEdit*>(QString::fromLatin1(field));
    ASSERT_NE(edit, nullptr) << field;
    // Typed in one go: QTest types ASCII only.
    edit->setText(text);
  }
  static void click(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // Answers the next message box with 确定 and returns its text.
  static std::shared_ptr<QString> expectMessage(QWidget* over, const std::string& screenshot = {}) {
    auto text = std::make_shared<QString>();
    WhenModalAppears(
        [text, screenshot](QWidget& window) {
          auto* box = qobject_cast<QMessageBox*>(&window);
          ASSERT_NE(box, nullptr) << "expected a message box";
          *text = box->text();
          if (!screenshot.empty()) SaveScreenshot(*box, screenshot);
          ButtonNamed(*box, QStringLiteral("确定"))->click();
        },
        over);
    return text;
  }
  void setPassword(const std::string& password) {
    auto session = host::BookSession::Open(location());
    host::UserStore(session->db()).setPassword(host::kAdministrator, password);
  }
};
QJ_DESKTOP_ON_EVERY_ENGINE(LoginDialogTest);

TEST_P(LoginDialogTest, TheFirstStartOfANewBookHasTheAdministratorChooseAPassword) {
  desktop::LoginDialog dialog(boxes, settings(), qLocation());
  dialog.show();
  WhenModalAppears([&](QWidget& first) {
    type(first, "password", QStringLiteral("secret1"));
    type(first, "repeated", QStringLiteral("secret2"));
    const auto mismatch = expectMessage(&first);
    click(first, "ok");
    EXPECT_EQ(*mismatch, QStringLiteral("两次输入的密码不一致，请重新输入。"));
    EXPECT_TRUE(first.isVisible());
    type(first, "password", QStringLiteral("secret1"));
    type(first, "repeated", QStringLiteral("secret1"));
    SaveScreenshot(first, "desktop_first_password");
    click(first, "ok");
  });
  click(dialog, "logIn");

  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  desktop::Login login = dialog.takeLogin();
  ASSERT_NE(login.session, nullptr);
  EXPECT_EQ(login.user, host::kAdministrator);
  EXPECT_TRUE(host::UserStore(login.session->db()).verify(host::kAdministrator, "secret1"));

  // The book heads the recent books from now on.
  desktop::LoginDialog again(boxes, settings());
  EXPECT_EQ(again.findChild<QLineEdit*>(QStringLiteral("location"))->text(),
            QString::fromStdString(login.session->db().location()));
  auto* recent = again.findChild<QListWidget*>(QStringLiteral("recentBooks"));
  ASSERT_EQ(recent->count(), 1);
  // Listed by its company, the place in brackets and in the tooltip.
  EXPECT_TRUE(recent->item(0)->text().startsWith(QStringLiteral("青简测试有限公司（")))
      << recent->item(0)->text().toStdString();
  EXPECT_EQ(recent->item(0)->toolTip(), QString::fromStdString(login.session->db().location()));
}

TEST_P(LoginDialogTest, AWrongPasswordIsRefusedAndTheNextTryLogsIn) {
  setPassword("right");
  desktop::LoginDialog dialog(boxes, settings(), qLocation());
  dialog.show();
  type(dialog, "password", QStringLiteral("wrong"));
  const auto refusal = expectMessage(&dialog, "desktop_login_wrong_password");
  click(dialog, "logIn");
  EXPECT_EQ(*refusal, QStringLiteral("用户名或密码不正确，请重新输入。"));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  type(dialog, "password", QStringLiteral("right"));
  SaveScreenshot(dialog, "desktop_login");
  click(dialog, "logIn");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.takeLogin().session->record().CompanyName, kCompany);
}

TEST_P(LoginDialogTest, ABookHeldExclusivelyByAnotherSessionIsRefusedWithItsMessage) {
  std::unique_ptr<host::NamedLocks> other;
  {
    auto db = data::OpenConnection(location(), data::OpenMode::ExistingOnly);
    other = host::NamedLocks::ForBook(location(), host::BookIdentity(*db));
  }
  ASSERT_TRUE(other->acquire("ACCLOCK"));
  desktop::LoginDialog dialog(boxes, settings(), qLocation());
  dialog.show();
  const auto refusal = expectMessage(&dialog, "desktop_login_book_locked");
  click(dialog, "logIn");
  EXPECT_EQ(*refusal, QStringLiteral("帐套正被其他用户独占使用（期末结帐或帐套初始化），请稍后再打开。"));
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  // Once the other session lets go, the same dialog logs in.
  other->release("ACCLOCK");
  WhenModalAppears([&](QWidget& first) {
    type(first, "password", QStringLiteral("pw"));
    type(first, "repeated", QStringLiteral("pw"));
    click(first, "ok");
  });
  click(dialog, "logIn");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_P(LoginDialogTest, UnusableLocationsAreExplainedAndTheDialogStaysUsable) {
  if (GetParam() != data::Engine::Sqlite) GTEST_SKIP() << "the locations do not depend on the engine";
  QFile notABook(scratchPath(QStringLiteral("notes.sqlite")));
  ASSERT_TRUE(notABook.open(QIODevice::WriteOnly));
  notABook.write("这不是帐套，只是一段文字。\n");
  notABook.close();

  desktop::LoginDialog dialog(boxes, settings());
  dialog.show();
  const QString cases[] = {
      QString(),                                         // nothing chosen
      scratchPath(QStringLiteral("missing.sqlite")),     // no such file
      notABook.fileName(),                               // a file that is no book
      QStringLiteral("postgresql://qj@127.0.0.1:1/qj"),  // no server there
  };
  for (const QString& where : cases) {
    type(dialog, "location", where);
    const auto refusal = expectMessage(&dialog, where.isEmpty() ? "desktop_login_no_book" : "");
    click(dialog, "logIn");
    EXPECT_FALSE(refusal->isEmpty()) << where.toStdString();
    // Every explanation is written in Chinese.
    EXPECT_TRUE(std::any_of(refusal->begin(), refusal->end(), [](QChar c) { return c.unicode() >= 0x4e00; }))
        << refusal->toStdString();
    EXPECT_TRUE(dialog.isVisible());
  }
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_P(LoginDialogTest, ANewBookIsCreatedFromTheDialogAndOfferedForLogIn) {
  if (GetParam() != data::Engine::Sqlite) GTEST_SKIP() << "new files only";
  const QString place = scratchPath(QStringLiteral("新帐套.sqlite"));
  desktop::LoginDialog dialog(boxes, settings());
  dialog.show();
  WhenModalAppears(
      [&](QWidget& form) {
        ASSERT_NE(qobject_cast<desktop::NewBookDialog*>(&form), nullptr);
        type(form, "location", place);
        type(form, "company", QStringLiteral("新建测试公司"));
        type(form, "codeStructure", QStringLiteral("4-x-2"));
        const auto refusal = expectMessage(&form);
        click(form, "create");
        EXPECT_EQ(*refusal, QStringLiteral("科目编码结构应写作各级编码长度，如 3-2-2-2"));
        type(form, "codeStructure", QStringLiteral("4，2，2"));
        SaveScreenshot(form, "desktop_new_book");
        click(form, "create");
      },
      &dialog);
  click(dialog, "newBook");

  EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("location"))->text(), place);
  auto session = host::BookSession::Open(place.toStdString());
  EXPECT_EQ(session->record().CompanyName, "新建测试公司");
  EXPECT_EQ(session->record().SubjectLevelLen, (std::vector<int>{4, 6, 8}));
  // The small-enterprise chart is the one offered first, with its cash-flow items.
  EXPECT_EQ(session->db().queryOne("SELECT NAME FROM Subject WHERE SUBJECTID='1002'")->text("NAME"), "银行存款");
  EXPECT_GT(data::IntegerOf(session->db().scalar("SELECT COUNT(*) FROM Fluxion WHERE DETAILFLAG='T'")), 10);
}

TEST_P(LoginDialogTest, ANewBookMayTakeItsChartFromACsvFileOrStartEmpty) {
  if (GetParam() != data::Engine::Sqlite) GTEST_SKIP() << "new files only";
  const QString place = scratchPath(QStringLiteral("导入.sqlite"));
  const QString chart = scratchPath(QStringLiteral("科目.csv"));
  QFile csv(chart);
  ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
  csv.write("科目编码,科目名称,余额方向\n1001,现金,借\n1002,,借\n");
  csv.close();
  desktop::NewBookDialog dialog(boxes);
  dialog.show();
  auto* choice = dialog.findChild<QComboBox*>(QStringLiteral("chart"));
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->currentText(), QStringLiteral("小企业会计准则"));
  EXPECT_FALSE(dialog.findChild<QLineEdit*>(QStringLiteral("chartFile"))->isEnabled());
  choice->setCurrentIndex(choice->findText(QStringLiteral("从 CSV 文件导入")));
  type(dialog, "location", place);
  type(dialog, "company", QStringLiteral("导入测试公司"));
  auto refusal = expectMessage(&dialog);
  click(dialog, "create");
  EXPECT_EQ(*refusal, QStringLiteral("请选择要导入的科目表文件。"));

  type(dialog, "chartFile", chart);
  SaveScreenshot(dialog, "desktop_new_book_import");
  refusal = expectMessage(&dialog);
  click(dialog, "create");
  EXPECT_TRUE(refusal->contains(QStringLiteral("第 3 行：科目名称不可为空"))) << refusal->toStdString();
  EXPECT_FALSE(QFile::exists(place)) << "no book is left behind";
  EXPECT_TRUE(dialog.isVisible());

  ASSERT_TRUE(csv.open(QIODevice::WriteOnly | QIODevice::Truncate));
  csv.write("1001,现金,借\n1002,银行存款,借\n");
  csv.close();
  click(dialog, "create");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  auto session = host::BookSession::Open(place.toStdString());
  EXPECT_EQ(data::IntegerOf(session->db().scalar("SELECT COUNT(*) FROM Subject")), 2);
  EXPECT_EQ(data::IntegerOf(session->db().scalar("SELECT COUNT(*) FROM Fluxion")), 0);
}

}  // namespace
}  // namespace qj::test
