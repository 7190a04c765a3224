// 操作日志: the host log of the book in a table, newest first, with a filter by code.
#pragma once

#include <QWidget>

#include "desktop/host_log_model.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace qj {
class HostServices;
}

namespace qj::desktop {

class HostLogView : public QWidget {
  Q_OBJECT

 public:
  // Database errors go to the host's handler.
  HostLogView(data::Connection& db, HostServices& host, QWidget* parent = nullptr);

  // Reads the log again with the chosen filter.
  void reload();

 private:
  void fillCodes();
  void fillTable();

  HostServices& host_;
  HostLogModel model_;
  QComboBox* filter_;
  QTableWidget* table_;
  QLabel* count_;
};

}  // namespace qj::desktop
