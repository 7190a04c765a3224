#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/book_creation.h"
#include "host/book_record_store.h"
#include "host/book_session.h"
#include "host/host_application.h"
#include "host/host_error.h"
#include "host/package_library.h"
#include "package/starting_chart.h"
#include "support/scratch_database.h"

namespace qj::test {
namespace {

class BookSession : public ::testing::TestWithParam<data::Engine> {
 protected:
  void SetUp() override { scratch_ = std::make_unique<ScratchDatabase>(GetParam()); }
  const std::string& location() { return scratch_->location(); }
  host::NewBook newBook() {
    host::NewBook book;
    book.location = location();
    book.start = Period{2011, 7};
    book.segmentLengths = {4, 2, 2};
    book.companyName = "青简测试有限公司";
    book.voucherTypeScheme = 2;
    return book;
  }

 private:
  std::unique_ptr<ScratchDatabase> scratch_;
};
INSTANTIATE_TEST_SUITE_P(Engines, BookSession, ::testing::ValuesIn(TestEngines()), EngineParamName);

TEST_P(BookSession, ANewBookOpensWithItsRecord) {
  host::CreateBook(newBook());
  auto session = host::BookSession::Open(location());
  const AccountBooksData& book = session->record();
  EXPECT_EQ(book.CompanyName, "青简测试有限公司");
  EXPECT_EQ(book.StartDate, Date(2011, 7, 1));
  EXPECT_EQ(book.StartYear, 2011);
  EXPECT_EQ(book.StartMonth, 7);
  EXPECT_EQ(book.CurrYear, 2011);
  EXPECT_EQ(book.CurrMon, 7);
  EXPECT_EQ(book.SubjectLevelLen, (std::vector<int>{4, 6, 8}));
  EXPECT_EQ(book.SubjectLevels, 3);
  EXPECT_EQ(book.AccountVoucherType, 2);
  EXPECT_FALSE(book.MustCheck);
  EXPECT_TRUE(book.NeedCarryPL);
  EXPECT_EQ(data::IntegerOf(session->db().scalar("SELECT COUNT(*) FROM AccountVoucherType")), 9);
  EXPECT_EQ(data::IntegerOf(session->db().scalar("SELECT COUNT(*) FROM RateInit WHERE MONEYID=99")), 1);

  host::WriteAuditOptions(session->db(), true, true);
  session->reload();
  EXPECT_TRUE(session->record().MustCheck);
  EXPECT_TRUE(session->record().SameUser);

  // The inventory module's period counts only for a book linked to it.
  session->db().execute("UPDATE AccountState SET POSYEAR=2011, POSMON=9");
  session->reload();
  EXPECT_FALSE(session->record().LinkInventory);
  host::WriteBookParam(session->db(), host::bookparam::LinkInventory, "T");
  session->reload();
  EXPECT_TRUE(session->record().LinkInventory);
  EXPECT_EQ(session->record().InventoryYear, 2011);
  EXPECT_EQ(session->record().InventoryMonth, 9);
}

// A damaged code structure is found when the book opens, not by a posting
// that books subjects without their parents.
TEST_P(BookSession, ABookWithADamagedCodeStructureIsRefusedOnOpening) {
  auto book = newBook();
  book.installChart = package::StartingChartInstaller(package::StartingChart::SmallEnterprise);
  book.segmentLengths = {4, 2, 2, 2};
  host::CreateBook(book);
  const auto openingSays = [&](const std::string& setting) -> std::string {
    {
      auto db = data::OpenConnection(location(), data::OpenMode::ExistingOnly);
      if (setting == "missing")
        db->execute("DELETE FROM HostBookParam WHERE PARAMNAME=:name", {{"name", host::bookparam::SubjectLevelLen}});
      else
        host::WriteBookParam(*db, host::bookparam::SubjectLevelLen, setting);
    }
    try {
      host::BookSession::Open(location());
    } catch (const host::HostError& error) {
      return error.what();
    }
    return "opened";
  };
  EXPECT_EQ(openingSays("4,6,8,10"), "opened");
  EXPECT_EQ(openingSays(""), "帐套参数中的科目编码结构不正确（“”），无法打开此帐套。");
  EXPECT_EQ(openingSays("4,6,6"), "帐套参数中的科目编码结构不正确（“4,6,6”），无法打开此帐套。");
  EXPECT_EQ(openingSays("4,16"), "帐套参数中的科目编码结构不正确（“4,16”），无法打开此帐套。");
  EXPECT_EQ(openingSays("missing"), "帐套参数中缺少科目编码结构，无法打开此帐套。");
  EXPECT_EQ(openingSays("3,5,7,9"),
            "帐套参数中的科目编码结构与科目表不符：科目 1001 的编码长度不属于任何一级，无法打开此帐套。");
  EXPECT_EQ(openingSays("4,6"),
            "帐套参数中的科目编码结构与科目表不符：科目 22210101 的编码长度不属于任何一级，无法打开此帐套。");
}

TEST_P(BookSession, CreatingOverAnExistingBookOrWithBadOptionsIsRefused) {
  host::CreateBook(newBook());
  EXPECT_THROW(host::CreateBook(newBook()), std::exception);
  auto bad = newBook();
  bad.start = Period{2011, 13};
  EXPECT_THROW(host::CreateBook(bad), host::HostError);
  bad = newBook();
  bad.segmentLengths = {10, 9};
  EXPECT_THROW(host::CreateBook(bad), host::HostError);
  // The first book is untouched.
  auto session = host::BookSession::Open(location());
  EXPECT_EQ(session->record().SubjectLevelLen, (std::vector<int>{4, 6, 8}));
}

// What a book starts with: the small-enterprise chart with the cash-flow
// statement's items, the older chart, or subjects read from CSV rows; a
// chart that does not fit or bad rows leave no book behind.
TEST_P(BookSession, ANewBookStartsFromTheChosenChart) {
  const auto count = [&](const std::string& sql) {
    auto session = host::BookSession::Open(location());
    return data::IntegerOf(session->db().scalar(sql));
  };
  auto book = newBook();
  book.installChart = package::StartingChartInstaller(package::StartingChart::SmallEnterprise);
  book.segmentLengths = {3, 2, 2, 2};
  EXPECT_THROW(host::CreateBook(book), host::HostError);
  if (GetParam() == data::Engine::Sqlite) {
    EXPECT_FALSE(std::filesystem::exists(location()));
  }

  book.installChart = package::StartingChartInstaller(
      package::StartingChart::Imported, "科目编码,科目名称,余额方向\n1001,库存现金,借\n1002,,借\n9001,外类,借\n");
  book.segmentLengths = {4, 2, 2};
  try {
    host::CreateBook(book);
    ADD_FAILURE() << "bad rows were accepted";
  } catch (const host::HostError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("第 3 行：科目名称不可为空"), std::string::npos) << message;
    EXPECT_NE(message.find("第 4 行："), std::string::npos) << message;
  }
  if (GetParam() == data::Engine::Sqlite) {
    EXPECT_FALSE(std::filesystem::exists(location()));
  }

  book.installChart =
      package::StartingChartInstaller(package::StartingChart::Imported, "1001,库存现金,借\n100101,人民币户,借\n");
  host::CreateBook(book);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject"), 2);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Subject WHERE SUBJECTID='1001' AND DETAILFLAG='F'"), 1);
}

TEST_P(BookSession, TheSmallEnterpriseChartComesWithItsCashFlowItems) {
  auto book = newBook();
  book.installChart = package::StartingChartInstaller(package::StartingChart::SmallEnterprise);
  host::CreateBook(book);
  auto session = host::BookSession::Open(location());
  data::Connection& db = session->db();
  EXPECT_EQ(db.queryOne("SELECT NAME FROM Subject WHERE SUBJECTID='1001'")->text("NAME"), "库存现金");
  EXPECT_EQ(db.queryOne("SELECT NAME FROM Subject WHERE SUBJECTID='222101'")->text("NAME"), "应交增值税");
  EXPECT_EQ(data::IntegerOf(db.scalar("SELECT COUNT(*) FROM Fluxion")), 19);
  EXPECT_EQ(data::IntegerOf(db.scalar("SELECT COUNT(*) FROM HostReservedSub WHERE SUBJECTID IN "
                                      "('1601', '1001', '1002', '3103')")),
            4);
}

// New vouchers are dated inside the book's open month, whatever the calendar says.
TEST(BusinessDate, IsTodayInTheCurrentPeriodElseTheNearestDayOfIt) {
  EXPECT_EQ(host::BusinessDateIn({2026, 12}, Date(2026, 12, 7)), Date(2026, 12, 7));
  EXPECT_EQ(host::BusinessDateIn({2011, 7}, Date(2026, 12, 7)), Date(2011, 7, 31));
  EXPECT_EQ(host::BusinessDateIn({2012, 2}, Date(2026, 12, 7)), Date(2012, 2, 29));
  EXPECT_EQ(host::BusinessDateIn({2027, 1}, Date(2026, 12, 7)), Date(2027, 1, 1));
}

// After a close (or a reopen) new vouchers are dated in the month now open,
// not in the one that was closed; a date the user chose inside it stays.
TEST_P(BookSession, TheBusinessDateFollowsTheCurrentPeriod) {
  host::CreateBook(newBook());
  auto session = host::BookSession::Open(location());
  host::ScriptedMessageBoxes boxes(false);
  host::HostApplication app(*session, boxes, "admin");
  EXPECT_EQ(app.OvoBillTime(), host::BusinessDateIn({2011, 7}, Date::today()));
  session->db().execute("UPDATE AccountState SET CURRMON=8");
  app.ReloadAccountBooksData();
  EXPECT_EQ(app.OvoBillTime(), host::BusinessDateIn({2011, 8}, Date::today()));
  app.setBusinessDate(Date(2011, 8, 3));
  app.ReloadAccountBooksData();
  EXPECT_EQ(app.OvoBillTime(), Date(2011, 8, 3));
}

TEST_P(BookSession, TheHostAnswersThePackagesQuestions) {
  host::CreateBook(newBook());
  auto session = host::BookSession::Open(location());
  host::ScriptedMessageBoxes boxes(false);
  host::HostApplication app(*session, boxes, "admin");
  EXPECT_EQ(app.asProductionName(), "青简财务");
  EXPECT_TRUE(app.HasOvoPrivilege2(58, 1, true));
  EXPECT_FALSE(app.FormIsExist("DiaryList_Frm"));
  app.FormOpened("DiaryList_Frm");
  EXPECT_TRUE(app.FormIsExist("DIARYLIST_FRM"));
  app.FormClosed("diarylist_frm");
  EXPECT_FALSE(app.FormIsExist("DiaryList_Frm"));
  EXPECT_EQ(app.ShowMsgBox("继续吗？", "询问", msgbox::AskYesNo), msgbox::IdNo);
  boxes.scriptAnswer(true);
  EXPECT_EQ(app.ShowMsgBox("继续吗？", "询问", msgbox::AskYesNo), msgbox::IdYes);
  EXPECT_EQ(app.ShowMsgBox("好的", "", msgbox::Ok), msgbox::IdOk);
  EXPECT_EQ(boxes.shown().back().caption, "青简财务");
  app.WriteLog(logcode::ScreenOpened, "凭证录入");
  const auto log = session->db().queryOne("SELECT USERNAME, LOGCODE, LOGTEXT, LOGTIME FROM HostLog");
  ASSERT_TRUE(log);
  EXPECT_EQ(log->text("LOGTEXT"), "凭证录入");
  EXPECT_EQ(log->integer("LOGCODE"), 200);
  EXPECT_FALSE(log->isNull("LOGTIME"));
  const std::int64_t first = app.GetOvoKeyValue("Precis");
  EXPECT_EQ(app.GetOvoKeyValue("PRECIS"), first + 1);
}

TEST_P(BookSession, AUserWithoutThePrivilegeIsToldOnce) {
  host::CreateBook(newBook());
  auto session = host::BookSession::Open(location());
  host::UserStore(session->db()).add("出纳", "");
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app(*session, boxes, "出纳");
  EXPECT_FALSE(app.HasOvoPrivilege2(60, 5, false));
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_FALSE(app.HasOvoPrivilege2(60, 5, true));
  EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST(BookSessionOpen, MissingForeignAndCorruptFilesGetClearMessagesAndStayUntouched) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  const std::string missing = scratch.folder() + "/missing.sqlite";
  EXPECT_THROW(host::BookSession::Open(missing), host::HostError);
  EXPECT_FALSE(std::filesystem::exists(missing));

  const std::string text = scratch.folder() + "/notes.txt";
  std::ofstream(text) << "这不是帐套";
  EXPECT_THROW(host::BookSession::Open(text), host::HostError);

  // An empty file is refused and stays empty: it does not become a database.
  const std::string empty = scratch.folder() + "/empty.sqlite";
  std::ofstream(empty).close();
  EXPECT_THROW(host::BookSession::Open(empty), host::HostError);
  EXPECT_EQ(std::filesystem::file_size(empty), 0U);

  // A database of something else, in its own journal mode: refused, and not
  // switched to WAL on the way (byte 18 of the header is 1 for a rollback
  // journal, 2 for WAL).
  const std::string other = scratch.folder() + "/other.sqlite";
  data::OpenConnection(other, data::OpenMode::CreateIfMissing)
      ->executeScript("PRAGMA journal_mode=DELETE; CREATE TABLE t (x INTEGER)");
  const auto headerByte18 = [&other] {
    std::ifstream file(other, std::ios::binary);
    file.seekg(18);
    return file.get();
  };
  ASSERT_EQ(headerByte18(), 1);
  try {
    host::BookSession::Open(other);
    FAIL() << "a database without a book opened";
  } catch (const host::HostError& error) {
    EXPECT_NE(std::string(error.what()).find("帐套"), std::string::npos);
  }
  EXPECT_EQ(headerByte18(), 1) << "another program's database was switched to WAL";
}

TEST(BookSessionOpen, ABookThatCannotBeReachedIsNotCalledDamaged) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  const auto openingSays = [](const std::string& location) {
    try {
      host::BookSession::Open(location);
    } catch (const host::HostError& error) {
      return std::string(error.what());
    }
    return std::string("(opened)");
  };
  const std::string text = scratch.folder() + "/notes.sqlite";
  std::ofstream(text) << "这不是帐套，只是一段足够长的文字，长到可以有一个数据库文件头那么长的文字。";
  EXPECT_NE(openingSays(text).find("不是可用的帐套数据库"), std::string::npos) << openingSays(text);

  // A book whose journal cannot be made beside it, as in a folder the user
  // may not write to (shown here with a folder in the journal's place, which
  // holds for every user, the superuser too).
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  host::CreateBook(book);
  for (const char* journal : {"-wal", "-shm"}) {
    std::filesystem::remove(book.location + journal);
    std::filesystem::create_directory(book.location + journal);
  }
  const std::string said = openingSays(book.location);
  EXPECT_NE(said.find("请检查文件和文件夹的权限"), std::string::npos) << said;
  EXPECT_EQ(said.find("不是可用的帐套数据库"), std::string::npos) << said;
}

TEST(PackageLibraryLoad, AMissingLibraryIsAClearError) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  host::CreateBook(book);
  auto session = host::BookSession::Open(scratch.location());
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app(*session, boxes, "admin");
  EXPECT_THROW(host::PackageLibrary("/nonexistent/libqingjian-finance.so", app), host::HostError);
}

TEST(PackageLibraryLoad, TheHostLoadsThePackageByPathAndReachesItByCommandName) {
  ScratchDatabase scratch(data::Engine::Sqlite);
  host::NewBook book;
  book.location = scratch.location();
  book.start = Period{2011, 7};
  host::CreateBook(book);
  auto session = host::BookSession::Open(scratch.location());
  host::ScriptedMessageBoxes boxes;
  host::HostApplication app(*session, boxes, "admin");
  host::PackageLibrary package(host::PackageLibrary::DefaultPath(), app);
  EXPECT_EQ(app.registry().Names().size(), 23u);  // the host's own five and the package's 18
  VorParams bag;
  bag.AddValue("asDate", std::string("2011-07-09"));
  app.GlobalCall("getcredcode", "", &bag);
  EXPECT_EQ(bag.GetString("CredID"), "201107000001");
  app.GlobalCall("NOSUCHCOMMAND", "", &bag);
  EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace
}  // namespace qj::test
