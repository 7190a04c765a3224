// The ledger screens on their real widgets: each opens from its key through
// its filter, the detail ledger moves between subjects and opens a line's
// voucher, the general ledger drills down into a journal or a detail ledger
// and charts the subject's months, and what is on screen is exported.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <fstream>

#include "base/voucher_screen_hook.h"
#include "base/widgets/list_output.h"
#include "ledgers/widgets/ledger_filter_dialog.h"
#include "ledgers/widgets/ledger_windows.h"
#include "package/widgets/screen_catalog.h"
#include "periodend/posting_fixture.h"
#include "printing/print_template.h"
#include "printing/widgets/list_printer.h"
#include "support/screenshot.h"
#include "support/widget_lookup.h"
#include "support/zip_member.h"

namespace qj::test {
namespace {

template <class Window>
std::vector<Window*> openWindows() {
  std::vector<Window*> found;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = dynamic_cast<Window*>(widget); window && window->isVisible()) found.push_back(window);
  return found;
}

class LedgerScreens : public PostingTest {
 protected:
  void SetUp() override {
    PostingTest::SetUp();
    db().execute("INSERT INTO AccountVoucherType (ID, NAME) VALUES (1, '记')");
    host().reserved[2] = "101";
    host().reserved[3] = "102";
    // Two posted vouchers: cash in against sales, cash to the bank.
    const std::string sale = voucher(1, true);
    line(sale, "101", Yuan("1200.50"), {});
    line(sale, "501", {}, Yuan("1200.50"));
    const std::string deposit = voucher(2, true);
    line(deposit, "10201", Yuan("1000"), {});
    line(deposit, "101", {}, Yuan("1000"));
    const std::string payable = voucher(3, true);
    line(payable, "20101", Yuan("80"), {});
    line(payable, "501", {}, Yuan("80"));
    EXPECT_EQ(post(), 3);
    package::RegisterBuiltScreens();
    base::SetVoucherScreenOpener([this](HostServices&, const std::string& credId) { opened_.push_back(credId); });
  }
  void TearDown() override {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (dynamic_cast<base::ListWindow*>(widget)) delete widget;
    package::UnregisterBuiltScreens();
    PostingTest::TearDown();
  }

  // Opens a key; `fill` sets the modal filter dialog's fields before OK.
  void open(
      const std::string& key, const std::function<void(QDialog&)>& fill = [](QDialog&) {}) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      shown = true;
      fill(*dialog);
      SaveScreenshot(*dialog, "ledger_filter_" + key);
      dialog->accept();
    });
    call("SHOWFINANCEFORM", {}, key);
    EXPECT_TRUE(shown) << key;
  }

  static QString cell(QTableView& grid, int row, int column) {
    return grid.model()->index(row, column).data().toString();
  }
  static int columnTitled(QTableView& grid, const char* title) {
    for (int column = 0; column < grid.model()->columnCount(); ++column)
      if (grid.model()->headerData(column, Qt::Horizontal).toString() == QString::fromUtf8(title)) return column;
    ADD_FAILURE() << "no column " << title;
    return 0;
  }

  std::vector<std::string> opened_;
};
INSTANTIATE_TEST_SUITE_P(Engines, LedgerScreens, ::testing::Values(data::Engine::Sqlite), EngineParamName);

TEST_P(LedgerScreens, TheDetailLedgerOpensFromItsKeyMovesBetweenSubjectsAndOpensAVoucher) {
  open("DETAILTYPELIST_FRM", [](QDialog& dialog) {
    Child<QLineEdit>(dialog, "firstCodeEdit").setText(QStringLiteral("101"));
    Child<QLineEdit>(dialog, "lastCodeEdit").setText(QStringLiteral("102"));
  });
  const auto windows = openWindows<ledgers::DetailLedgerWindow>();
  ASSERT_EQ(windows.size(), 1U);
  auto& window = *windows.front();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& grid = Child<QTableView>(window, "detailLedgerTable");
  // 101: opening, two lines, 本期合计, 本年累计.
  ASSERT_EQ(grid.model()->rowCount(), 5);
  EXPECT_EQ(cell(grid, 0, columnTitled(grid, "摘要")), QStringLiteral("期初余额"));
  EXPECT_EQ(cell(grid, 0, columnTitled(grid, "方向")), QStringLiteral("平"));
  EXPECT_EQ(cell(grid, 1, columnTitled(grid, "借方")), QStringLiteral("1,200.50"));
  EXPECT_EQ(cell(grid, 2, columnTitled(grid, "余额")), QStringLiteral("200.50"));
  EXPECT_EQ(cell(grid, 3, columnTitled(grid, "摘要")), QStringLiteral("本期合计"));
  EXPECT_EQ(grid.model()->index(1, columnTitled(grid, "借方")).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
            Qt::AlignRight);
  SaveScreenshot(window, "ledger_detail");

  // 调阅凭证 on a line opens its voucher; on a total row nothing.
  grid.setCurrentIndex(grid.model()->index(2, 0));
  Click(window, "openVoucherButton");
  grid.setCurrentIndex(grid.model()->index(3, 0));
  Click(window, "openVoucherButton");
  EXPECT_EQ(opened_, std::vector<std::string>{"201107000002"});
  host().deniedPrivileges.insert({ledgers::kOpenVoucherFunction, ledgers::kOpenVoucherAction});
  grid.setCurrentIndex(grid.model()->index(1, 0));
  Click(window, "openVoucherButton");
  EXPECT_EQ(opened_.size(), 1U) << "no voucher without the privilege";

  // The navigator: 102 takes its children's lines.
  Click(window, "nextButton");
  EXPECT_EQ(window.model().subjectIndex(), 1U);
  EXPECT_EQ(grid.model()->rowCount(), 4);
  EXPECT_EQ(cell(grid, 1, columnTitled(grid, "余额")), QStringLiteral("1,000.00"));
  Click(window, "lastButton");
  Click(window, "nextButton");
  EXPECT_EQ(window.model().subjectIndex(), window.model().subjectCount() - 1);
  Click(window, "firstButton");
  EXPECT_EQ(window.model().subjectIndex(), 0U);
}

TEST_P(LedgerScreens, TheGeneralLedgerDrillsDownAndChartsTheSubjectsMonths) {
  open("COUNTKINDLEDGERLIST_FRM", [](QDialog& dialog) { Child<QSpinBox>(dialog, "levelBox").setValue(2); });
  const auto windows = openWindows<ledgers::GeneralLedgerWindow>();
  ASSERT_EQ(windows.size(), 1U);
  auto& window = *windows.front();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& grid = Child<QTableView>(window, "generalLedgerTable");
  const auto rowOf = [&](const char* code, const char* summary) {
    for (int row = 0; row < grid.model()->rowCount(); ++row)
      if (cell(grid, row, 0) == QString::fromUtf8(code) && cell(grid, row, 3) == QString::fromUtf8(summary)) return row;
    ADD_FAILURE() << code << " " << summary;
    return 0;
  };
  const int cash = rowOf("101", "本期合计");
  EXPECT_EQ(cell(grid, cash, columnTitled(grid, "余额")), QStringLiteral("200.50"));
  EXPECT_EQ(cell(grid, cash, columnTitled(grid, "方向")), QStringLiteral("借"));
  EXPECT_EQ(cell(grid, rowOf("501", "本期合计"), columnTitled(grid, "方向")), QStringLiteral("贷"));
  grid.setCurrentIndex(grid.model()->index(cash, 0));
  ASSERT_NE(window.chart()->chart(), nullptr);
  EXPECT_EQ(window.chart()->chart()->series().size(), 2);
  SaveScreenshot(window, "ledger_general");

  // A cash subject opens its journal, any other its detail ledger, reused when open.
  Click(window, "drillDownButton");
  const auto journals = openWindows<ledgers::JournalWindow>();
  ASSERT_EQ(journals.size(), 1U);
  EXPECT_EQ(journals.front()->windowTitle(), QStringLiteral("现金日记帐"));
  auto& journalGrid = Child<QTableView>(*journals.front(), "journalTable");
  EXPECT_EQ(cell(journalGrid, 1, columnTitled(journalGrid, "对方科目")), QStringLiteral("501"));
  EXPECT_EQ(cell(journalGrid, 2, columnTitled(journalGrid, "对方科目")), QStringLiteral("10201"));
  SaveScreenshot(*journals.front(), "ledger_journal");

  grid.setCurrentIndex(grid.model()->index(rowOf("501", "本期合计"), 0));
  Click(window, "drillDownButton");
  grid.setCurrentIndex(grid.model()->index(rowOf("20101", "期初余额"), 0));
  Click(window, "drillDownButton");
  const auto details = openWindows<ledgers::DetailLedgerWindow>();
  ASSERT_EQ(details.size(), 1U) << "the open detail ledger is reused";
  EXPECT_EQ(details.front()->model().filter().subjects.first, "20101");

  // Without the detail ledger's privilege nothing opens.
  host().deniedPrivileges.insert({65, 1});
  details.front()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  grid.setCurrentIndex(grid.model()->index(rowOf("501", "本期合计"), 0));
  Click(window, "drillDownButton");
  EXPECT_TRUE(openWindows<ledgers::DetailLedgerWindow>().empty());
}

TEST_P(LedgerScreens, TheJournalOpensFromItsKeyAndWhatIsOnScreenIsExportedAndPrinted) {
  open("DIARYLIST_FRM", [](QDialog& dialog) {
    auto& subjects = Child<QComboBox>(dialog, "subjectBox");
    EXPECT_EQ(subjects.itemText(0), QStringLiteral("101  科目101"));
    EXPECT_EQ(subjects.count(), 6) << "the cash and bank subjects and their sub-accounts";
  });
  const auto windows = openWindows<ledgers::JournalWindow>();
  ASSERT_EQ(windows.size(), 1U);
  auto& window = *windows.front();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("现金日记帐"));
  // 过滤 on a bank journal starts on its own subject.
  ledgers::LedgerFilterDialog again(host(), ledgers::LedgerFilterDialog::Kind::Journal, window.model().filter(),
                                    nullptr, "10201");
  EXPECT_EQ(again.journalSubject()->code, "10201");
  EXPECT_EQ(window.data().rows.size(), 5U);
  const std::string xlsx = ::testing::TempDir() + "qj-ledger-journal.xlsx";
  ASSERT_TRUE(
      base::ExportList(host(), {ledgers::kJournalReportType, "现金日记帐", window.data(), {"科目：(101)现金"}}, xlsx));
  const std::string sheet = ZipMember(xlsx, "xl/worksheets/sheet1.xml");
  const std::string strings = ZipMember(xlsx, "xl/sharedStrings.xml");
  ASSERT_FALSE(sheet.empty());
  EXPECT_NE(strings.find("现金日记帐"), std::string::npos);
  EXPECT_NE(strings.find("科目：(101)现金"), std::string::npos);
  EXPECT_NE(strings.find("对方科目"), std::string::npos);
  EXPECT_NE(sheet.find("<v>1200.5</v>"), std::string::npos) << "the debit is a number cell";
  std::remove(xlsx.c_str());

  const std::string pdf = ::testing::TempDir() + "qj-ledger-journal.pdf";
  printing::PrintJob job;
  job.data = window.data();
  job.layout = printing::DefaultTemplate(ledgers::kJournalReportType, job.data, "现金日记帐").layout;
  printing::ListPrinter(job).writePdf(pdf);
  std::ifstream in(pdf, std::ios::binary);
  std::string head(4, '\0');
  in.read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");
  std::remove(pdf.c_str());
}

}  // namespace
}  // namespace qj::test
