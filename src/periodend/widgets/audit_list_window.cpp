#include "periodend/widgets/audit_list_window.h"

#include <QAbstractTableModel>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/screen_work.h"
#include "periodend/batch_audit.h"
#include "periodend/widgets/audit_filter_dialog.h"
#include "periodend/widgets/audit_list_output.h"

namespace qj::periodend {
namespace {

const QString kXlsxFilter = QStringLiteral("Excel 工作簿 (*.xlsx)");
const QString kCsvFilter = QStringLiteral("CSV 文件 (*.csv)");

Qt::Alignment alignmentOf(AuditColumn column) {
  if (column == AuditColumn::Audited || column == AuditColumn::Posted) return Qt::AlignHCenter;
  if (column == AuditColumn::CredNo || column == AuditColumn::Debit || column == AuditColumn::Credit)
    return Qt::AlignRight;
  return Qt::AlignLeft;
}

}  // namespace

// The list's rows as a read-only Qt table.
class AuditListTable final : public QAbstractTableModel {
 public:
  AuditListTable(const AuditList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {}

  void reload() {
    beginResetModel();
    endResetModel();
  }
  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
  }
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(kAuditColumnTitles.size());
  }
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const auto column = static_cast<AuditColumn>(index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignmentOf(column) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(CellText(list_.rows().at(static_cast<std::size_t>(index.row())), column));
  }
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromUtf8(kAuditColumnTitles.at(static_cast<std::size_t>(section)));
  }

 private:
  const AuditList& list_;
};

AuditListWindow::AuditListWindow(HostServices& host, AuditFilterDialog* filterDialog, AuditScreenOpener openAuditScreen,
                                 QWidget* parent)
    : FinanceBootFormWidget(host, kAuditListScreenName, kAuditListCaption, parent),
      host_(host),
      filterDialog_(filterDialog),
      openAuditScreen_(std::move(openAuditScreen)),
      table_(new AuditListTable(list_, this)),
      grid_(new QTableView) {
  setWindowTitle(QString::fromUtf8(kAuditListCaption));
  grid_->setObjectName(QStringLiteral("auditListTable"));
  grid_->setModel(table_);
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Every column is as wide as its texts, so that a subject reads in full;
  // the summary takes what is left.
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grid_->horizontalHeader()->setSectionResizeMode(static_cast<int>(AuditColumn::Summary), QHeaderView::Stretch);

  auto* buttons = new QHBoxLayout;
  const auto button = [&](const char* text, const char* name, void (AuditListWindow::*action)()) {
    auto* b = new QPushButton(QString::fromUtf8(text));
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, action);
    buttons->addWidget(b);
  };
  button("过滤", "filterButton", &AuditListWindow::refilter);
  button("凭证审核", "auditButton", &AuditListWindow::auditCurrent);
  button("成批审核", "batchAuditButton", &AuditListWindow::batchAudit);
  auto* printButton = new QPushButton(QStringLiteral("打印"));
  printButton->setObjectName(QStringLiteral("printButton"));
  connect(printButton, &QPushButton::clicked, this, [this] { print(false); });
  buttons->addWidget(printButton);
  auto* previewButton = new QPushButton(QStringLiteral("预览"));
  previewButton->setObjectName(QStringLiteral("previewButton"));
  connect(previewButton, &QPushButton::clicked, this, [this] { print(true); });
  buttons->addWidget(previewButton);
  button("导出", "exportButton", &AuditListWindow::chooseExportFile);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(grid_, 1);
  resize(900, 500);

  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    if (current.isValid()) list_.setCurrent(static_cast<std::size_t>(current.row()));
  });
}

AuditListWindow::~AuditListWindow() = default;

void AuditListWindow::load(const AuditFilter& filter) {
  filter_ = filter;
  std::vector<AuditListRow> rows;
  base::ReportFailures(host_, [&] { rows = QueryAuditList(host_.FindStartupDB(), filter); });
  list_.show(std::move(rows));
  refresh();
}

void AuditListWindow::refilter() {
  if (!filterDialog_) {
    const AccountBooksData& book = host_.accountBooksData();
    filterDialog_ = new AuditFilterDialog(book.AccountVoucherType, filter_, this);
  }
  if (filterDialog_->exec() == QDialog::Accepted) load(filterDialog_->filter());
}

void AuditListWindow::auditCurrent() {
  const std::size_t row = list_.current();
  if (AuditCurrentVoucher(host_, list_, openAuditScreen_)) table_->reload();
  if (!list_.empty()) grid_->setCurrentIndex(table_->index(static_cast<int>(row), 0));
}

void AuditListWindow::batchAudit() {
  auto outcome = BatchAudit(host_, filter_, list_.empty());
  if (outcome.result != BatchAuditResult::Done) return;
  list_.show(std::move(outcome.stamped));
  refresh();
}

void AuditListWindow::print(bool preview) {
  base::PrintList(host_, AuditListOutput(list_.rows()),
                  preview ? base::PrintOutput::Preview : base::PrintOutput::Printer, this);
}

void AuditListWindow::chooseExportFile() {
  exportDialog_ = new QFileDialog(this, QStringLiteral("导出凭证审核"), QString(), kXlsxFilter + ";;" + kCsvFilter);
  exportDialog_->setAttribute(Qt::WA_DeleteOnClose);
  exportDialog_->setAcceptMode(QFileDialog::AcceptSave);
  exportDialog_->setDefaultSuffix(QStringLiteral("xlsx"));
  exportDialog_->selectFile(QString::fromUtf8(kAuditListCaption) + ".xlsx");
  connect(exportDialog_, &QFileDialog::filterSelected, exportDialog_, [dialog = exportDialog_](const QString& filter) {
    dialog->setDefaultSuffix(filter == kCsvFilter ? QStringLiteral("csv") : QStringLiteral("xlsx"));
  });
  connect(exportDialog_, &QFileDialog::fileSelected, this,
          [this](const QString& path) { base::ExportList(host_, AuditListOutput(list_.rows()), path.toStdString()); });
  exportDialog_->open();
}

void AuditListWindow::refresh() {
  table_->reload();
  if (!list_.empty()) grid_->setCurrentIndex(table_->index(static_cast<int>(list_.current()), 0));
}

}  // namespace qj::periodend
