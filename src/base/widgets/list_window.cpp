#include "base/widgets/list_window.h"

#include <QAbstractTableModel>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

namespace qj::base {

// The data set as a read-only Qt table, each cell as it is printed.
class DataSetTable final : public QAbstractTableModel {
 public:
  explicit DataSetTable(QObject* parent) : QAbstractTableModel(parent) {}

  void show(printing::DataSet data) {
    beginResetModel();
    data_ = std::move(data);
    endResetModel();
  }
  [[nodiscard]] const printing::DataSet& data() const { return data_; }

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(data_.rows.size());
  }
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(data_.columns.size());
  }
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignment(column) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const auto& row = data_.rows.at(static_cast<std::size_t>(index.row()));
    return QString::fromStdString(printing::CellText(printing::CellAt(row, column)));
  }
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromStdString(data_.columns.at(static_cast<std::size_t>(section)).title);
  }

 private:
  [[nodiscard]] Qt::Alignment alignment(std::size_t column) const {
    switch (data_.columns.at(column).alignment) {
      case printing::Alignment::Center:
        return Qt::AlignHCenter;
      case printing::Alignment::Right:
        return Qt::AlignRight;
      case printing::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
  }

  printing::DataSet data_;
};

ListWindow::ListWindow(HostServices& host, const std::string& screenName, const std::string& caption, int reportType,
                       QWidget* parent)
    : FinanceBootFormWidget(host, screenName, caption, parent),
      host_(host),
      caption_(caption),
      reportType_(reportType),
      table_(new DataSetTable(this)),
      grid_(new QTableView),
      buttons_(new QHBoxLayout),
      header_(new QLabel),
      layout_(new QVBoxLayout(this)) {
  setWindowTitle(QString::fromStdString(caption));
  grid_->setModel(table_);
  grid_->verticalHeader()->hide();
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  buttons_->addWidget(button("打印", "printButton", [this] { print(PrintOutput::Printer); }));
  buttons_->addWidget(button("预览", "previewButton", [this] { print(PrintOutput::Preview); }));
  buttons_->addWidget(button("导出", "exportButton", [this] { chooseExportFile(); }));
  buttons_->addStretch();

  header_->setObjectName(QStringLiteral("listHeader"));
  header_->hide();
  layout_->addLayout(buttons_);
  layout_->addWidget(header_);
  layout_->addWidget(grid_, 1);
  resize(900, 500);

  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    if (current.isValid()) currentRowChanged(static_cast<std::size_t>(current.row()));
  });
}

ListWindow::~ListWindow() = default;

void ListWindow::showData(printing::DataSet data, std::size_t current) {
  table_->show(std::move(data));
  if (stretchColumn_ >= 0 && stretchColumn_ < table_->columnCount())
    grid_->horizontalHeader()->setSectionResizeMode(stretchColumn_, QHeaderView::Stretch);
  if (current < table_->data().rows.size()) grid_->setCurrentIndex(table_->index(static_cast<int>(current), 0));
}

const printing::DataSet& ListWindow::data() const { return table_->data(); }

void ListWindow::print(PrintOutput output) {
  PrintList(host_, {reportType_, caption_, data(), headerLines_}, output, this);
}

void ListWindow::chooseExportFile() {
  exportDialog_ = OpenExportDialog(this, caption_, [this](const std::string& path) {
    ExportList(host_, {reportType_, caption_, data(), headerLines_}, path);
  });
}

void ListWindow::setHeaderLines(const std::vector<std::string>& lines) {
  headerLines_ = lines;
  QString text;
  for (const auto& line : lines) text += (text.isEmpty() ? "" : "    ") + QString::fromStdString(line);
  header_->setText(text);
  header_->setVisible(!lines.empty());
}

void ListWindow::setCaption(const std::string& caption) {
  caption_ = caption;
  setWindowTitle(QString::fromStdString(caption));
}

void ListWindow::addBelowGrid(QWidget* widget, int stretch) { layout_->addWidget(widget, stretch); }

QPushButton* ListWindow::button(const char* text, const char* objectName, std::function<void()> clicked) {
  auto* made = new QPushButton(QString::fromUtf8(text));
  made->setObjectName(QString::fromLatin1(objectName));
  connect(made, &QPushButton::clicked, this, std::move(clicked));
  return made;
}

void ListWindow::addButton(const char* text, const char* objectName, std::function<void()> clicked) {
  buttons_->insertWidget(ownButtons_++, button(text, objectName, std::move(clicked)));
}

void ListWindow::setStretchColumn(int column) { stretchColumn_ = column; }

}  // namespace qj::base
