#include "subjects/widgets/opening_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace qj::subjects {
namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

const QColor kEntryCell(255, 252, 225);  // where amounts may be typed

}  // namespace

OpeningTableModel::OpeningTableModel(OpeningModel& model, QObject* parent)
    : QAbstractTableModel(parent), model_(model) {}

void OpeningTableModel::reload() {
  beginResetModel();
  columns_ = model_.columns();
  shownRows_ = static_cast<int>(model_.rows().size()) + 1;
  endResetModel();
}

int OpeningTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int OpeningTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const OpeningRow& OpeningTableModel::rowAt(int row) const {
  return isTotal(row) ? model_.total() : model_.rows().at(static_cast<std::size_t>(row));
}

bool OpeningTableModel::editable(const QModelIndex& index) const {
  const OpeningColumn& column = columns_.at(static_cast<std::size_t>(index.column()));
  return !isTotal(index.row()) && column.kind == OpeningColumnKind::Amount &&
         model_.cellEditable(static_cast<std::size_t>(index.row()), column.field);
}

QVariant OpeningTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const OpeningColumn& column = columns_.at(static_cast<std::size_t>(index.column()));
  const OpeningRow& row = rowAt(index.row());
  const bool amount = column.kind == OpeningColumnKind::Amount;
  switch (role) {
    case Qt::DisplayRole:
      return amount ? text(row.value(column.field).grouped()) : text(OpeningCellText(row, column));
    case Qt::EditRole:
      return text(OpeningCellText(row, column));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter | (amount ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::FontRole: {
      if (!isTotal(index.row())) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case Qt::BackgroundRole:
      return editable(index) ? QVariant(QBrush(kEntryCell)) : QVariant();
    default:
      return {};
  }
}

QVariant OpeningTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  // "本年累计|借方": the upper heading over the lower one.
  return text(columns_.at(static_cast<std::size_t>(section)).title).replace(QLatin1Char('|'), QLatin1Char('\n'));
}

Qt::ItemFlags OpeningTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return editable(index) ? shown | Qt::ItemIsEditable : shown;
}

bool OpeningTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || !editable(index)) return false;
  const OpeningColumn& column = columns_.at(static_cast<std::size_t>(index.column()));
  const bool stored =
      model_.editCell(static_cast<std::size_t>(index.row()), column.field, value.toString().toStdString());
  // A stored amount moves its twin and the total line; a failed one has the
  // list read again. Either way every shown figure may have changed.
  if (static_cast<int>(model_.rows().size()) + 1 == shownRows_)
    emit dataChanged(this->index(0, 0), this->index(shownRows_ - 1, columnCount() - 1));
  else
    reload();
  emit edited();
  return stored;
}

}  // namespace qj::subjects
