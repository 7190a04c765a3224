#include "subjects/widgets/opening_dialog.h"

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/widgets/finance_boot_form_widget.h"
#include "printing/errors.h"
#include "printing/print_template.h"
#include "printing/spreadsheet_export.h"
#include "printing/variables.h"
#include "printing/widgets/list_printer.h"
#include "subjects/widgets/opening_list_data.h"
#include "subjects/widgets/opening_table_model.h"

namespace qj::subjects {

namespace {

// Enter takes the figure typed into a cell and goes down to the next line,
// as a bookkeeper types a column of figures; so does Enter on a cell that is
// not being typed into.
class OpeningTableView final : public QTableView {
 protected:
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
    const bool entered = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, entered ? QAbstractItemDelegate::NoHint : hint);
    if (entered) moveDown();
  }
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState) {
      moveDown();
      return;
    }
    QTableView::keyPressEvent(event);
  }

 private:
  void moveDown() {
    const QModelIndex next = currentIndex().siblingAtRow(currentIndex().row() + 1);
    if (next.isValid()) setCurrentIndex(next);
  }
};

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QPushButton* addButton(QHBoxLayout& row, const char* caption, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(caption));
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);  // Enter ends a cell's entry, it does not press a button
  row.addWidget(button);
  return button;
}

}  // namespace

OpeningDialog::OpeningDialog(HostServices& host, QWidget* parent) : QDialog(parent), host_(host), model_(host) {
  setWindowTitle(QString::fromUtf8(OpeningModel::kCaption));
  auto* body = new base::FinanceBootFormWidget(host, kScreenName, OpeningModel::kCaption, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(body);
  buildControls(*body);
  resize(1100, 620);
}

OpeningDialog::~OpeningDialog() {
  // The view lets go of the list before the model goes, so that an editor
  // still open is dropped instead of storing into a closed screen.
  view_->setModel(nullptr);
}

void OpeningDialog::buildControls(QWidget& body) {
  auto* layout = new QVBoxLayout(&body);

  auto* chooser = new QHBoxLayout;
  currencyLabel_ = new QLabel;
  currencyBox_ = new QComboBox;
  currencyBox_->setObjectName(QStringLiteral("currencyBox"));
  rateLabel_ = new QLabel;
  rateLabel_->setObjectName(QStringLiteral("rateLabel"));
  levelOneBox_ = new QCheckBox(QString::fromUtf8(OpeningModel::kLevelOneCaption));
  levelOneBox_->setObjectName(QStringLiteral("levelOneBox"));
  chooser->addWidget(currencyLabel_);
  chooser->addWidget(currencyBox_);
  chooser->addSpacing(16);
  chooser->addWidget(rateLabel_);
  chooser->addStretch();
  chooser->addWidget(levelOneBox_);
  layout->addLayout(chooser);

  table_ = new OpeningTableModel(model_, this);
  view_ = new OpeningTableView;
  view_->setObjectName(QStringLiteral("openingTable"));
  view_->setModel(table_);
  view_->verticalHeader()->hide();
  view_->horizontalHeader()->setMaximumSectionSize(360);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(view_);

  auto* buttons = new QHBoxLayout;
  noticeLabel_ = new QLabel;
  noticeLabel_->setObjectName(QStringLiteral("noticeLabel"));
  noticeLabel_->setStyleSheet(QStringLiteral("color: #c00000;"));
  buttons->addWidget(noticeLabel_);
  buttons->addStretch();
  QPushButton* trial = addButton(*buttons, "试算平衡", "trialBalanceButton");
  sheetButton_ = addButton(*buttons, "试算平衡表", "trialSheetButton");
  discardButton_ = addButton(*buttons, "放弃", "discardButton");
  QPushButton* exporting = addButton(*buttons, "导出", "exportButton");
  QPushButton* printing = addButton(*buttons, "打印", "printButton");
  QPushButton* closing = addButton(*buttons, "关闭", "closeButton");
  layout->addLayout(buttons);

  connect(currencyBox_, &QComboBox::activated, this, &OpeningDialog::chooseCurrency);
  connect(levelOneBox_, &QCheckBox::toggled, this, [this](bool only) {
    model_.setLevelOneOnly(only);
    refresh();
  });
  connect(table_, &OpeningTableModel::edited, this, [this] { noticeLabel_->setText(text(model_.notice())); });
  connect(trial, &QPushButton::clicked, this, [this] {
    model_.pressTrialBalance();
    refresh();
  });
  connect(sheetButton_, &QPushButton::clicked, this, [this] {
    model_.pressTrialSheet();
    refresh();
  });
  connect(discardButton_, &QPushButton::clicked, this, [this] {
    model_.pressDiscard();
    refresh();
  });
  connect(exporting, &QPushButton::clicked, this, &OpeningDialog::exportList);
  connect(printing, &QPushButton::clicked, this, &OpeningDialog::printList);
  connect(closing, &QPushButton::clicked, this, &QDialog::close);
}

bool OpeningDialog::prepare() {
  if (!model_.open()) return false;
  for (const OpeningCurrency& currency : model_.currencies()) currencyBox_->addItem(text(currency.name));
  discardButton_->setEnabled(!model_.readOnly());
  refresh();
  return true;
}

void OpeningDialog::chooseCurrency(int index) {
  model_.chooseCurrency(model_.currencies().at(static_cast<std::size_t>(index)).moneyId);
  refresh();
}

void OpeningDialog::refresh() {
  currencyLabel_->setText(text(model_.currencyCaption()));
  rateLabel_->setText(text(model_.rateLabel()));
  const auto& currencies = model_.currencies();
  for (std::size_t i = 0; i < currencies.size(); ++i)
    if (currencies[i].moneyId == model_.currency().moneyId) currencyBox_->setCurrentIndex(static_cast<int>(i));
  sheetButton_->setText(text(model_.trialSheetButtonCaption()));
  noticeLabel_->setText(text(model_.notice()));
  table_->reload();
  view_->resizeColumnsToContents();
  // Amount columns wide enough for the figures still to be typed.
  const int amountWidth = fontMetrics().horizontalAdvance(QStringLiteral("-9999999999.99")) + 16;
  const std::vector<OpeningColumn> columns = model_.columns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const int column = static_cast<int>(i);
    if (columns[i].kind == OpeningColumnKind::Amount)
      view_->setColumnWidth(column, std::max(view_->columnWidth(column), amountWidth));
  }
}

void OpeningDialog::finishTyping() {
  // An amount still being typed counts, as if the user had pressed Enter.
  if (QWidget* editor = view_->indexWidget(view_->currentIndex())) {
    emit view_->itemDelegate()->commitData(editor);
    emit view_->itemDelegate()->closeEditor(editor);
  }
}

void OpeningDialog::done(int result) {
  finishTyping();
  if (model_.pressClose()) {
    QDialog::done(result);
    return;
  }
  refresh();  // the rows keep the user's values, read back from the book
}

void OpeningDialog::exportList() {
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出"), QStringLiteral("会计科目初始.xlsx"),
                                              QStringLiteral("Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)"));
  if (path.isEmpty()) return;
  const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
  if (!csv && !path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) path += QStringLiteral(".xlsx");

  OpeningListData list = ShownOpeningList(model_);
  list.data.rows.push_back(list.totals);
  const auto headings = model_.exportHeadings();  // 编制单位 above the grid, the others below it
  const std::vector<std::string> title = {OpeningModel::kCaption, list.title,
                                          headings.front().first + headings.front().second};
  std::vector<std::string> footer;
  for (auto it = headings.begin() + 1; it != headings.end(); ++it) footer.push_back(it->first + it->second);
  try {
    if (csv)
      printing::WriteCsv(path.toStdString(), title, list.data, footer);
    else
      printing::WriteXlsx(path.toStdString(), title, list.data, footer);
  } catch (const printing::ExportError& error) {
    host_.ShowMsgBox(error.what(), "错误", msgbox::IconError);
  }
}

void OpeningDialog::printList() {
  OpeningListData list = ShownOpeningList(model_);
  printing::PrintJob job;
  job.layout = printing::DefaultTemplate(kReportType, list.data, OpeningModel::kCaption).layout;
  job.layout.headerLines.push_back(list.title);
  job.data = std::move(list.data);
  job.totals = std::move(list.totals);
  job.variables = {{std::string(printing::kCompanyName), host_.accountBooksData().CompanyName}};
  try {
    printing::ListPrinter(std::move(job)).preview(this);
  } catch (const printing::PrintError& error) {
    host_.ShowMsgBox(error.what(), "错误", msgbox::IconError);
  }
}

}  // namespace qj::subjects
