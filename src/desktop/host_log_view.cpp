#include "desktop/host_log_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "hostapi/host_services.h"

namespace qj::desktop {
namespace {

QString codeLabel(int code) {
  const std::string name = HostLogModel::CodeName(code);
  return QString::number(code) + (name.empty() ? QString() : QStringLiteral(" ") + QString::fromStdString(name));
}

}  // namespace

HostLogView::HostLogView(data::Connection& db, HostServices& host, QWidget* parent)
    : QWidget(parent), host_(host), model_(db), filter_(new QComboBox), table_(new QTableWidget), count_(new QLabel) {
  setWindowTitle(QStringLiteral("操作日志"));
  setObjectName(QStringLiteral("HostLogView"));
  filter_->setObjectName(QStringLiteral("codeFilter"));
  table_->setObjectName(QStringLiteral("entries"));
  table_->setColumnCount(4);
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("时间"), QStringLiteral("用户"), QStringLiteral("代码"), QStringLiteral("内容")});
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);

  auto* refresh = new QPushButton(QStringLiteral("刷新"));
  connect(refresh, &QPushButton::clicked, this, &HostLogView::reload);
  connect(filter_, &QComboBox::currentIndexChanged, this, &HostLogView::reload);

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("代码：")));
  top->addWidget(filter_);
  top->addWidget(refresh);
  top->addStretch();
  top->addWidget(count_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(table_);
  resize(720, 420);
  reload();
}

void HostLogView::reload() {
  const QVariant chosen = filter_->currentData();
  try {
    model_.load(chosen.isValid() ? std::optional<int>(chosen.toInt()) : std::nullopt);
  } catch (const data::DbError& error) {
    host_.EDBEngineErrorHandler(error);
    return;
  }
  fillCodes();
  fillTable();
}

void HostLogView::fillCodes() {
  const QVariant chosen = filter_->currentData();
  const QSignalBlocker quiet(filter_);
  filter_->clear();
  filter_->addItem(QStringLiteral("全部"));
  for (int code : model_.codes()) filter_->addItem(codeLabel(code), code);
  const int again = filter_->findData(chosen);
  filter_->setCurrentIndex(again < 0 ? 0 : again);
}

void HostLogView::fillTable() {
  const auto& entries = model_.entries();
  table_->setRowCount(static_cast<int>(entries.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const LogEntry& entry = entries[static_cast<std::size_t>(row)];
    table_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(entry.time)));
    table_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(entry.user)));
    table_->setItem(row, 2, new QTableWidgetItem(codeLabel(entry.code)));
    table_->setItem(row, 3, new QTableWidgetItem(QString::fromStdString(entry.text)));
  }
  table_->resizeColumnsToContents();
  count_->setText(model_.truncated() ? QStringLiteral("只显示最近的 %1 条").arg(HostLogModel::kLimit)
                                     : QStringLiteral("共 %1 条").arg(entries.size()));
}

}  // namespace qj::desktop
