// The opening-balance list as a Qt table: reads the screen's OpeningModel and
// hands typed amounts to it. The last row is the total line "合计".
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "subjects/opening_model.h"

namespace qj::subjects {

class OpeningTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit OpeningTableModel(OpeningModel& model, QObject* parent = nullptr);

  // Reads the list afresh after the screen changed what it shows.
  void reload();

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // An amount was handed to the model (stored or refused).
  void edited();

 private:
  [[nodiscard]] bool isTotal(int row) const { return row == shownRows_ - 1; }
  [[nodiscard]] const OpeningRow& rowAt(int row) const;
  [[nodiscard]] bool editable(const QModelIndex& index) const;

  OpeningModel& model_;
  std::vector<OpeningColumn> columns_;
  int shownRows_ = 0;  // the rows as the view knows them, with the total line
};

}  // namespace qj::subjects
