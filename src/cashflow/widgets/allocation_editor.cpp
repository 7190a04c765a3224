#include "cashflow/widgets/allocation_editor.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qj::cashflow {
namespace {

enum Column { kCode, kName, kInflow, kOutflow };

QString q(const std::string& text) { return QString::fromStdString(text); }
QString amountText(Money amount) { return amount.isZero() ? QString() : q(amount.grouped()); }

QTableWidgetItem* readOnly(const std::string& text) {
  auto* item = new QTableWidgetItem(q(text));
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace

AllocationEditor::AllocationEditor(std::unique_ptr<AllocationEditorModel> model, QWidget* parent)
    : QDialog(parent), model_(std::move(model)), grid_(new QTableWidget(0, 4, this)), totals_(new QLabel(this)) {
  setWindowTitle(QString::fromUtf8(AllocationEditorModel::kCaption));
  setObjectName(QString::fromUtf8(AllocationEditorModel::kScreenName));
  grid_->setHorizontalHeaderLabels(
      {QStringLiteral("现金流量编码"), QStringLiteral("现金流量名称"), QStringLiteral("流入"), QStringLiteral("流出")});
  grid_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
  grid_->verticalHeader()->hide();
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  if (!model_->editable()) grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  totals_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addWidget(totals_);
  layout->addWidget(buttons);
  resize(640, 420);

  connect(grid_, &QTableWidget::cellChanged, this, &AllocationEditor::edited);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  showRows();
  if (grid_->rowCount() > 0) grid_->setCurrentCell(0, kInflow);
}

AllocationEditor::~AllocationEditor() = default;

void AllocationEditor::showRows() {
  const QSignalBlocker quiet(grid_);
  const auto& rows = model_->rows();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i);
    grid_->setItem(row, kCode, readOnly(rows[i].code));
    grid_->setItem(row, kName, readOnly(rows[i].name));
    showRow(row);
  }
  grid_->resizeColumnToContents(kCode);
  showTotals();
}

void AllocationEditor::showRow(int row) {
  const QSignalBlocker quiet(grid_);
  const AllocationRow& shown = model_->rows()[static_cast<std::size_t>(row)];
  for (const auto& [column, amount] : {std::pair{kInflow, shown.inflow}, std::pair{kOutflow, shown.outflow}}) {
    auto* item = new QTableWidgetItem(amountText(amount));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (!model_->editable()) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    grid_->setItem(row, column, item);
  }
}

void AllocationEditor::showTotals() {
  const AllocationSums sums = model_->totals();
  totals_->setText(QStringLiteral("合计　流入：%1　流出：%2").arg(q(sums.debit.grouped()), q(sums.credit.grouped())));
}

void AllocationEditor::edited(int row, int column) {
  if (column != kInflow && column != kOutflow) return;
  const std::string text = grid_->item(row, column)->text().trimmed().toStdString();
  model_->setAmountText(static_cast<std::size_t>(row),
                        column == kInflow ? AllocationColumn::Inflow : AllocationColumn::Outflow, text);
  showRow(row);
  showTotals();
}

void AllocationEditor::done(int result) {
  // Leaving an open cell editor commits what it holds.
  if (QWidget* focused = QApplication::focusWidget(); focused && grid_->isAncestorOf(focused) && focused != grid_)
    focused->clearFocus();
  if (!model_->mayClose()) return;
  QDialog::done(result);
}

void ShowAllocationEditor(QWidget* parent, HostServices& host, const std::string& credId, Money cashAmount) {
  auto model = AllocationEditorModel::Open(host, credId, cashAmount);
  if (!model) return;
  AllocationEditor editor(std::move(model), parent);
  editor.exec();
}

}  // namespace qj::cashflow
