// "设计打印模板": the editing rules and the dialog.
#include "printing/template_editor_model.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "fixtures.h"
#include "printing/widgets/template_editor_dialog.h"
#include "support/screenshot.h"

namespace qj::printing {
namespace {

bool Mentions(const std::vector<std::string>& problems, const std::string& phrase) {
  return std::any_of(problems.begin(), problems.end(),
                     [&phrase](const std::string& problem) { return problem.find(phrase) != std::string::npos; });
}

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TemplateEditorModel Editor() {
  const DataSet list = SampleList(1);
  return TemplateEditorModel(DefaultTemplate(662, list, "凭证列表"), list.columns);
}

TEST(TemplateEditor, ColumnsAreAddedRemovedMovedAndEdited) {
  TemplateEditorModel editor = Editor();
  EXPECT_TRUE(editor.unusedFields().empty());
  editor.removeColumn(2);
  editor.removeColumn(99);
  ASSERT_EQ(editor.unusedFields().size(), 1U);
  EXPECT_EQ(editor.unusedFields()[0].name, "PRECIS");
  EXPECT_FALSE(editor.addColumn("DEBIT"));   // shown already
  EXPECT_FALSE(editor.addColumn("NOSUCH"));  // not the list's
  EXPECT_TRUE(editor.addColumn("PRECIS"));
  editor.moveColumn(6, 0);
  editor.setColumnHeading(0, "内容摘要");
  editor.setColumnWidth(0, 70);
  editor.setColumnAlignment(0, Alignment::Center);

  const auto& columns = editor.edited().layout.columns;
  std::vector<std::string> fields;
  for (const TemplateColumn& column : columns) fields.push_back(column.field);
  EXPECT_EQ(fields,
            (std::vector<std::string>{"PRECIS", "CREDCODE", "CREDDATE", "SUBJECTID", "DEBIT", "CREDIT", "ITEMNO"}));
  EXPECT_EQ(columns[0], (TemplateColumn{"PRECIS", "内容摘要", 70, Alignment::Center}));

  editor.setHeaderText("编制单位：{公司名称}\r\n期间：{期间}\n\n");
  EXPECT_EQ(editor.edited().layout.headerLines, (std::vector<std::string>{"编制单位：{公司名称}", "期间：{期间}"}));
  EXPECT_EQ(editor.headerText(), "编制单位：{公司名称}\n期间：{期间}");
  editor.setFooterText("");
  EXPECT_TRUE(editor.edited().layout.footerLines.empty());
  EXPECT_TRUE(editor.valid());
}

TEST(TemplateEditor, RefusesWhatCannotBeSavedOrPrinted) {
  TemplateEditorModel editor = Editor();
  editor.setName("");
  editor.setColumnHeading(1, "");
  editor.setColumnWidth(2, 2);
  editor.setColumnWidth(3, 301);
  editor.setRowsPerPage(45);
  const std::vector<std::string> problems = editor.problems();
  EXPECT_EQ(problems.size(), 5U);
  for (const char* phrase : {"请填写模板名称", "第2列没有标题", "第3列“摘要”的宽度须在3到300毫米之间",
                             "第4列“科目代码”的宽度", "最多放44行"})
    EXPECT_TRUE(Mentions(problems, phrase)) << phrase;

  // At the limits: 40 characters of name and 44 rows fit, one more does not.
  editor = Editor();
  editor.setName(Repeat("模", 41));
  EXPECT_TRUE(Mentions(editor.problems(), "不能超过40个字"));
  editor.setName(Repeat("模", 40));
  editor.setRowsPerPage(44);
  EXPECT_TRUE(editor.valid());
  for (std::size_t i = 0; i < 7; ++i) editor.removeColumn(0);
  EXPECT_TRUE(Mentions(editor.problems(), "请至少选择一列"));

  // A template from another list names columns this list does not have; a header can crowd out the grid.
  StoredTemplate foreign = DefaultTemplate(662, SampleList(1), "凭证列表");
  foreign.layout.columns[0].field = "QTY";
  TemplateEditorModel other(foreign, SampleList(1).columns);
  EXPECT_TRUE(Mentions(other.problems(), "不是此列表的列（QTY）"));
  other.setHeaderText(Repeat("页眉\n", 60));
  EXPECT_TRUE(Mentions(other.problems(), "纸上放不下表格"));
}

TEST(TemplateEditor, DialogEditsTheModelAndSavesThroughTheStore) {
  std::vector<StoredTemplate> stored;
  TemplateEditorDialog dialog(Editor(), [&stored](StoredTemplate& edited) {
    edited.id = 12;
    stored.push_back(edited);
  });
  dialog.show();
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
  auto* save = dialog.findChild<QPushButton*>(QStringLiteral("save"));
  ASSERT_TRUE(name != nullptr && save != nullptr);
  name->setText("");
  EXPECT_FALSE(save->isEnabled());
  QApplication::processEvents();
  test::SaveScreenshot(dialog, "printing_template_editor");
  name->setText("凭证列表（自定）");
  EXPECT_TRUE(save->isEnabled());

  save->click();
  ASSERT_EQ(stored.size(), 1U);
  EXPECT_EQ(stored[0].name, "凭证列表（自定）");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_TRUE(dialog.saved().has_value());
  EXPECT_EQ(dialog.saved()->id, 12);
}

}  // namespace
}  // namespace qj::printing
