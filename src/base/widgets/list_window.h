// A list window on Qt: a row of buttons above a read-only table of the list's
// data set. 打印, 预览 and 导出 come with every list and put out exactly the
// rows on screen; a list adds its own buttons before them.
#pragma once

#include <QFileDialog>
#include <QPointer>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/widgets/finance_boot_form_widget.h"
#include "base/widgets/list_output.h"
#include "printing/data_set.h"

class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class QPushButton;
class QTableView;

namespace qj::base {

class DataSetTable;

class ListWindow : public FinanceBootFormWidget {
 public:
  // `reportType` names the list's print templates (PrintStyle.REPORTTYPE).
  ListWindow(HostServices& host, const std::string& screenName, const std::string& caption, int reportType,
             QWidget* parent = nullptr);
  ~ListWindow() override;

  // Shows `data` and makes `current` the current row when there is one.
  void showData(printing::DataSet data, std::size_t current = 0);
  [[nodiscard]] const printing::DataSet& data() const;
  [[nodiscard]] QTableView* grid() { return grid_; }
  [[nodiscard]] QFileDialog* exportDialog() { return exportDialog_; }
  // The column that takes the width the others leave; every other column is
  // as wide as its texts.
  void setStretchColumn(int column);
  // The lines shown above the grid and printed and exported under the title.
  void setHeaderLines(const std::vector<std::string>& lines);
  // The window's title, also the title of what it prints and exports.
  void setCaption(const std::string& caption);

  // 打印 and 预览, 导出.
  void print(PrintOutput output);
  void chooseExportFile();

 protected:
  // Adds a button before 打印.
  void addButton(const char* text, const char* objectName, std::function<void()> clicked);
  // Adds a widget under the grid, taking `stretch` parts of the height the grid takes one of.
  void addBelowGrid(QWidget* widget, int stretch);
  // Tells the list that the user moved to another row.
  virtual void currentRowChanged(std::size_t /*row*/) {}

 private:
  QPushButton* button(const char* text, const char* objectName, std::function<void()> clicked);

  HostServices& host_;
  std::string caption_;
  int reportType_;
  DataSetTable* table_;
  QTableView* grid_;
  QHBoxLayout* buttons_;
  std::vector<std::string> headerLines_;
  QLabel* header_;
  QVBoxLayout* layout_;
  int ownButtons_ = 0;
  int stretchColumn_ = -1;
  QPointer<QFileDialog> exportDialog_;
};

}  // namespace qj::base
