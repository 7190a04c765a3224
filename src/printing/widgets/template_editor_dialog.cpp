#include "printing/widgets/template_editor_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/db_error.h"

namespace qj::printing {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }
std::string Std(const QString& text) { return text.toStdString(); }

constexpr int kHeadingColumn = 1;
const Alignment kAlignments[] = {Alignment::Left, Alignment::Center, Alignment::Right};

QString AlignmentName(Alignment alignment) {
  switch (alignment) {
    case Alignment::Center:
      return QStringLiteral("居中");
    case Alignment::Right:
      return QStringLiteral("右对齐");
    case Alignment::Left:
      break;
  }
  return QStringLiteral("左对齐");
}

// How the list calls a field; the bare name for a field the list does not have.
const std::string& FieldTitle(const std::vector<Column>& fields, const std::string& name) {
  for (const Column& field : fields) {
    if (field.name == name) return field.title;
  }
  return name;
}

}  // namespace

TemplateEditorDialog::TemplateEditorDialog(TemplateEditorModel model, Saver save, QWidget* parent)
    : QDialog(parent), model_(std::move(model)), save_(std::move(save)) {
  setWindowTitle(QStringLiteral("设计打印模板"));
  const StoredTemplate& edited = model_.edited();
  auto* layout = new QVBoxLayout(this);

  auto* form = new QFormLayout;
  name_ = new QLineEdit(Text(edited.name));
  name_->setObjectName(QStringLiteral("name"));
  title_ = new QLineEdit(Text(edited.layout.title));
  orientation_ = new QComboBox;
  orientation_->addItems({QStringLiteral("纵向"), QStringLiteral("横向")});
  orientation_->setCurrentIndex(edited.layout.orientation == Orientation::Landscape ? 1 : 0);
  rowsPerPage_ = new QSpinBox;
  rowsPerPage_->setRange(0, 999);
  rowsPerPage_->setSpecialValueText(QStringLiteral("自动（排满为止）"));
  rowsPerPage_->setValue(edited.layout.rowsPerPage);
  form->addRow(QStringLiteral("模板名称："), name_);
  form->addRow(QStringLiteral("标题："), title_);
  form->addRow(QStringLiteral("纸张方向（A4）："), orientation_);
  form->addRow(QStringLiteral("每页行数："), rowsPerPage_);
  layout->addLayout(form);

  auto* columnArea = new QWidget;
  buildColumnArea(columnArea);
  layout->addWidget(columnArea, 1);

  auto* lines = new QFormLayout;
  header_ = new QPlainTextEdit(Text(model_.headerText()));
  footer_ = new QPlainTextEdit(Text(model_.footerText()));
  header_->setFixedHeight(60);
  footer_->setFixedHeight(60);
  lines->addRow(QStringLiteral("页眉（每行一行）："), header_);
  lines->addRow(QStringLiteral("页脚（每行一行）："), footer_);
  layout->addLayout(lines);
  layout->addWidget(
      new QLabel(QStringLiteral("可用变量：{公司名称} {期间} {打印日期} {页码} {总页数}，以及列表提供的其他变量")));

  problems_ = new QLabel;
  problems_->setStyleSheet(QStringLiteral("color: #b00020"));
  problems_->setWordWrap(true);
  layout->addWidget(problems_);

  auto* buttons = new QDialogButtonBox;
  saveButton_ = buttons->addButton(QStringLiteral("保存"), QDialogButtonBox::AcceptRole);
  saveButton_->setObjectName(QStringLiteral("save"));
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);

  connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_.setName(Std(text));
    showProblems();
  });
  connect(title_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_.setTitle(Std(text));
    showProblems();
  });
  connect(orientation_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.setOrientation(index == 1 ? Orientation::Landscape : Orientation::Portrait);
    showProblems();
  });
  connect(rowsPerPage_, &QSpinBox::valueChanged, this, [this](int rows) {
    model_.setRowsPerPage(rows);
    showProblems();
  });
  connect(header_, &QPlainTextEdit::textChanged, this, [this] {
    model_.setHeaderText(Std(header_->toPlainText()));
    showProblems();
  });
  connect(footer_, &QPlainTextEdit::textChanged, this, [this] {
    model_.setFooterText(Std(footer_->toPlainText()));
    showProblems();
  });
  connect(saveButton_, &QPushButton::clicked, this, &TemplateEditorDialog::save);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  showColumns(0);
  resize(640, 560);
}

void TemplateEditorDialog::buildColumnArea(QWidget* area) {
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  columns_ = new QTableWidget(0, 4);
  columns_->setHorizontalHeaderLabels(
      {QStringLiteral("列表字段"), QStringLiteral("列标题"), QStringLiteral("宽度（毫米）"), QStringLiteral("对齐")});
  columns_->horizontalHeader()->setSectionResizeMode(kHeadingColumn, QHeaderView::Stretch);
  columns_->setSelectionBehavior(QAbstractItemView::SelectRows);
  columns_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(columns_);

  auto* buttons = new QHBoxLayout;
  unusedFields_ = new QComboBox;
  auto* add = new QPushButton(QStringLiteral("添加列"));
  auto* remove = new QPushButton(QStringLiteral("删除列"));
  auto* up = new QPushButton(QStringLiteral("上移"));
  auto* down = new QPushButton(QStringLiteral("下移"));
  buttons->addWidget(unusedFields_, 1);
  for (QPushButton* button : {add, remove, up, down}) buttons->addWidget(button);
  layout->addLayout(buttons);

  connect(columns_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() != kHeadingColumn) return;
    model_.setColumnHeading(static_cast<std::size_t>(item->row()), Std(item->text()));
    showProblems();
  });
  connect(add, &QPushButton::clicked, this, &TemplateEditorDialog::addColumn);
  connect(remove, &QPushButton::clicked, this, [this] {
    const int row = columns_->currentRow();
    if (row < 0) return;
    model_.removeColumn(static_cast<std::size_t>(row));
    showColumns(row);
  });
  connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
  connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
}

// Rebuilds the column table and the choice of fields to add after a change of
// the columns themselves (never from inside one of the table's own editors).
void TemplateEditorDialog::showColumns(int selectedRow) {
  const auto& columns = model_.edited().layout.columns;
  const QSignalBlocker blocker(columns_);
  columns_->setRowCount(static_cast<int>(columns.size()));
  for (int row = 0; row < columns_->rowCount(); ++row) {
    const TemplateColumn& column = columns[static_cast<std::size_t>(row)];
    auto* field = new QTableWidgetItem(Text(FieldTitle(model_.fields(), column.field)));
    field->setFlags(field->flags() & ~Qt::ItemIsEditable);
    columns_->setItem(row, 0, field);
    columns_->setItem(row, kHeadingColumn, new QTableWidgetItem(Text(column.heading)));

    auto* width = new QSpinBox;
    width->setRange(0, 999);
    width->setValue(column.widthMm);
    connect(width, &QSpinBox::valueChanged, this, [this, row](int value) {
      model_.setColumnWidth(static_cast<std::size_t>(row), value);
      showProblems();
    });
    columns_->setCellWidget(row, 2, width);

    auto* alignment = new QComboBox;
    for (const Alignment choice : kAlignments) alignment->addItem(AlignmentName(choice));
    alignment->setCurrentIndex(static_cast<int>(column.alignment));
    connect(alignment, &QComboBox::currentIndexChanged, this, [this, row](int index) {
      model_.setColumnAlignment(static_cast<std::size_t>(row), kAlignments[index]);
      showProblems();
    });
    columns_->setCellWidget(row, 3, alignment);
  }
  if (!columns.empty()) columns_->selectRow(std::clamp(selectedRow, 0, columns_->rowCount() - 1));

  unusedFields_->clear();
  for (const Column& field : model_.unusedFields()) {
    unusedFields_->addItem(Text(field.title), Text(field.name));
  }
  showProblems();
}

void TemplateEditorDialog::showProblems() {
  const std::vector<std::string> problems = model_.problems();
  QStringList lines;
  for (const std::string& problem : problems) lines << Text(problem);
  problems_->setText(lines.join(QLatin1Char('\n')));
  saveButton_->setEnabled(problems.empty());
}

void TemplateEditorDialog::addColumn() {
  if (unusedFields_->currentIndex() < 0) return;
  if (model_.addColumn(Std(unusedFields_->currentData().toString()))) {
    showColumns(static_cast<int>(model_.edited().layout.columns.size()) - 1);
  }
}

void TemplateEditorDialog::moveSelected(int offset) {
  const int row = columns_->currentRow();
  const int target = row + offset;
  if (row < 0 || target < 0 || target >= columns_->rowCount()) return;
  model_.moveColumn(static_cast<std::size_t>(row), static_cast<std::size_t>(target));
  showColumns(target);
}

void TemplateEditorDialog::save() {
  if (!model_.valid()) return;
  StoredTemplate result = model_.edited();
  try {
    save_(result);
  } catch (const data::DbError& error) {
    QMessageBox::warning(this, QStringLiteral("错误"), Text(data::DescribeForUser(error)));
    return;
  } catch (const std::exception& error) {
    QMessageBox::warning(this, QStringLiteral("错误"), Text(error.what()));
    return;
  }
  saved_ = std::move(result);
  accept();
}

}  // namespace qj::printing
