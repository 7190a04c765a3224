// The audit filter, the audit list and the reverse-audit dialog on their real widgets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <fstream>
#include <sstream>

#include "periodend/audit_fixture.h"
#include "periodend/widgets/audit_filter_dialog.h"
#include "periodend/widgets/audit_list_output.h"
#include "periodend/widgets/audit_list_window.h"
#include "periodend/widgets/reverse_audit_dialog.h"
#include "support/screenshot.h"
#include "support/widget_lookup.h"

namespace qj::periodend {
namespace {

class AuditScreens : public test::AuditTest {
 protected:
  static QString cell(QTableView& grid, int row, AuditColumn column) {
    return grid.model()->index(row, static_cast<int>(column)).data().toString();
  }
};

TEST_P(AuditScreens, TheFilterOffersTheSchemesWordsAndGivesWhatItsFieldsHold) {
  AuditFilterDialog dialog(2, DefaultAuditFilter(host().book), nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto& words = test::Child<QComboBox>(dialog, "wordBox");
  ASSERT_EQ(words.count(), 4);
  EXPECT_EQ(words.itemText(0), QStringLiteral("所有"));
  EXPECT_EQ(words.itemText(3), QStringLiteral("转"));
  EXPECT_EQ(test::Child<QSpinBox>(dialog, "yearBox").value(), 2011);
  EXPECT_EQ(test::Child<QSpinBox>(dialog, "monthBox").value(), 7);
  EXPECT_EQ(test::Child<QSpinBox>(dialog, "toBox").maximum(), 999999);
  EXPECT_EQ(dialog.filter(), (AuditFilter{{2011, 7}, std::nullopt, 1, 999999, false}));
  words.setCurrentIndex(2);
  test::Child<QSpinBox>(dialog, "fromBox").setValue(3);
  test::Child<QSpinBox>(dialog, "monthBox").setValue(13);  // the box keeps to its range
  test::Child<QCheckBox>(dialog, "includeAuditedBox").setChecked(true);
  test::SaveScreenshot(dialog, "audit_filter_dialog");
  EXPECT_EQ(dialog.filter(), (AuditFilter{{2011, 12}, 3, 3, 999999, true}));
}

TEST_P(AuditScreens, TheListAuditsOneVoucherOrTheWholeListWithItsButtons) {
  voucher("201107000001", 1, 1, "张三");
  voucher("201107000002", 1, 2, "张三");
  voucher("201107000003", 1, 3, "张三", "李四", true);
  db().execute("UPDATE Subject SET NAME='应交税费应交增值税进项税额转出待认证' WHERE SUBJECTID='10001'");
  std::vector<std::string> opened;
  AuditListWindow window(host(), nullptr, [&](const std::string& credId) {
    opened.push_back(credId);
    db().execute("UPDATE VoucherMaster SET CHECKFLAG='T', BILLCHECK='王五' WHERE CREDID=:id", {{"id", credId}});
  });
  window.load({{2011, 7}, 1, 1, 999999, true});
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& grid = test::Child<QTableView>(window, "auditListTable");
  ASSERT_EQ(grid.model()->rowCount(), 6);
  EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("凭证字号"));
  EXPECT_EQ(cell(grid, 0, AuditColumn::Word), QStringLiteral("记1"));
  EXPECT_EQ(cell(grid, 0, AuditColumn::Audited), QString());
  EXPECT_EQ(cell(grid, 4, AuditColumn::Posted), QStringLiteral("√"));
  const QString subject = cell(grid, 0, AuditColumn::Subject);
  EXPECT_TRUE(subject.endsWith(QStringLiteral("待认证"))) << subject.toStdString();
  EXPECT_GE(grid.columnWidth(static_cast<int>(AuditColumn::Subject)), grid.fontMetrics().horizontalAdvance(subject))
      << "the subject's name is not cut short";
  test::SaveScreenshot(window, "audit_list");

  grid.setCurrentIndex(grid.model()->index(3, 0));
  test::Click(window, "auditButton");
  EXPECT_EQ(opened, std::vector<std::string>{"201107000002"});
  EXPECT_EQ(cell(grid, 2, AuditColumn::Audited), QStringLiteral("√"));
  EXPECT_EQ(cell(grid, 3, AuditColumn::Audited), QStringLiteral("√"));
  EXPECT_EQ(cell(grid, 0, AuditColumn::Audited), QString());
  EXPECT_EQ(grid.currentIndex().row(), 3);

  host().answers = {msgbox::IdYes};
  test::Click(window, "batchAuditButton");
  EXPECT_EQ(grid.model()->rowCount(), 6);  // all three: the audited ones were included
  EXPECT_EQ(audit("201107000001"), "T 测试员");
  EXPECT_EQ(audit("201107000002"), "T 测试员");
  EXPECT_TRUE(host().heldLocks.empty());
}

TEST_P(AuditScreens, TheListExportsItsLinesWithTheirMarks) {
  voucher("201107000001", 1, 1, "张三", "李四");
  const auto rows = QueryAuditList(db(), {{2011, 7}, 1, 1, 999999, true});
  const std::string path = ::testing::TempDir() + "audit_list_" + std::to_string(static_cast<int>(GetParam())) + ".csv";
  ASSERT_TRUE(base::ExportList(host(), AuditListOutput(rows), path));
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("凭证审核"), std::string::npos);
  EXPECT_NE(text.str().find("2011-07-10,1,记1,√,,摘要,10001 现金,100.00,"), std::string::npos) << text.str();
  EXPECT_FALSE(base::ExportList(host(), AuditListOutput(rows), "/nonexistent-folder/list.csv"));
  EXPECT_EQ(host().messages.size(), 1u);
}

TEST_P(AuditScreens, TheReverseAuditDialogClosesOnlyWhenItTookTheAuditsBack) {
  voucher("201107000001", 1, 1, "张三", "李四");
  voucher("201107000002", 1, 2, "张三", "李四", true);
  ReverseAuditDialog dialog(host(), nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.range(), (ReverseAuditRange{2011, 7, 1, 999999}));
  test::SaveScreenshot(dialog, "reverse_audit_dialog");
  test::Click(dialog, "okButton");
  EXPECT_TRUE(dialog.isVisible());  // a posted voucher in range
  EXPECT_EQ(audit("201107000001"), "T 李四");
  test::Child<QSpinBox>(dialog, "toBox").setValue(1);
  test::Click(dialog, "okButton");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(audit("201107000001"), "F ");
}

QJ_ON_EVERY_ENGINE(AuditScreens);

}  // namespace
}  // namespace qj::periodend
