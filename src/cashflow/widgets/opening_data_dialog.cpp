#include "cashflow/widgets/opening_data_dialog.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "base/widgets/finance_boot_form_widget.h"

namespace qj::cashflow {
namespace {

constexpr const char* kScreenName = "CashFluxionInit_Frm";

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// The month's rows as a Qt table over the model.
class OpeningDataTable final : public QAbstractTableModel {
 public:
  OpeningDataTable(OpeningDataModel& model, QObject* parent) : QAbstractTableModel(parent), model_(model) {}

  void reload() {
    beginResetModel();
    endResetModel();
  }
  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(model_.rows().size());
  }
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(OpeningDataModel::Columns().size());
  }
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const OpeningDataColumn column = columnAt(index.column());
    if (role == Qt::TextAlignmentRole && OpeningDataModel::Editable(column))
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return q(model_.cellText(static_cast<std::size_t>(index.row()), column));
  }
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return q(OpeningDataModel::Title(columnAt(section)));
  }
  [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && OpeningDataModel::Editable(columnAt(index.column()))) flags |= Qt::ItemIsEditable;
    return flags;
  }
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (role != Qt::EditRole || !index.isValid()) return false;
    const bool taken = model_.editCell(static_cast<std::size_t>(index.row()), columnAt(index.column()),
                                       value.toString().toStdString());
    emit dataChanged(index, index);
    return taken;
  }

 private:
  static OpeningDataColumn columnAt(int section) {
    return OpeningDataModel::Columns().at(static_cast<std::size_t>(section));
  }

  OpeningDataModel& model_;
};

namespace {

// The screen as the dispatcher opens it: loaded, then shown modally.
class OpeningDataScreenHandle final : public base::Screen {
 public:
  explicit OpeningDataScreenHandle(HostServices& host) : dialog_(host, host.MainWindow()) {}
  int showModal() override { return dialog_.prepare() && dialog_.exec() == QDialog::Accepted ? 1 : 0; }
  void showModeless() override { showModal(); }
  void bringToFront() override {}
  void dispose() override { delete this; }

 private:
  OpeningDataDialog dialog_;
};

}  // namespace

OpeningDataDialog::OpeningDataDialog(HostServices& host, QWidget* parent)
    : QDialog(parent),
      model_(host),
      months_(new QListWidget),
      table_(new OpeningDataTable(model_, this)),
      grid_(new QTableView),
      save_(new QPushButton) {
  setWindowTitle(QString::fromUtf8(OpeningDataModel::kCaption));
  auto* body = new base::FinanceBootFormWidget(host, kScreenName, OpeningDataModel::kCaption, this);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(body);

  months_->setObjectName(QStringLiteral("monthList"));
  months_->setMaximumWidth(110);
  grid_->setObjectName(QStringLiteral("openingDataTable"));
  grid_->setModel(table_);
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);

  save_->setText(QStringLiteral("确定"));
  save_->setObjectName(QStringLiteral("saveButton"));
  save_->setAutoDefault(false);  // Enter ends a cell's entry
  auto* close = new QPushButton(QStringLiteral("关闭"));
  close->setObjectName(QStringLiteral("closeButton"));
  close->setAutoDefault(false);

  auto* lists = new QHBoxLayout;
  lists->addWidget(months_);
  lists->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(body);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  resize(760, 460);

  connect(months_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    model_.chooseMonth(static_cast<std::size_t>(row));
    refresh();
  });
  connect(table_, &QAbstractTableModel::dataChanged, this, [this] { save_->setEnabled(model_.changed()); });
  connect(save_, &QPushButton::clicked, this, [this] {
    model_.save();
    refresh();
  });
  connect(close, &QPushButton::clicked, this, &OpeningDataDialog::reject);
}

OpeningDataDialog::~OpeningDataDialog() {
  // An editor still open is dropped instead of writing into a closed screen.
  grid_->setModel(nullptr);
}

bool OpeningDataDialog::prepare() {
  const bool loaded = model_.open();
  const QSignalBlocker quiet(months_);
  months_->clear();
  for (const std::string& month : model_.months()) months_->addItem(q(month));
  refresh();
  return loaded;
}

void OpeningDataDialog::refresh() {
  {
    const QSignalBlocker quiet(months_);
    if (!model_.months().empty()) months_->setCurrentRow(static_cast<int>(model_.currentMonth()));
  }
  table_->reload();
  save_->setEnabled(model_.changed());
}

void OpeningDataDialog::reject() {
  if (!model_.mayClose()) {
    refresh();
    return;
  }
  QDialog::reject();
}

std::unique_ptr<base::Screen> OpeningDataScreen(HostServices& host) {
  return std::make_unique<OpeningDataScreenHandle>(host);
}

}  // namespace qj::cashflow
