// 新建帐套: asks for the new book's place, company, start month, starting
// chart, code structure and voucher types, and creates it.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace qj::host {
class MessageBoxes;
}

namespace qj::desktop {

struct NewBookForm;

class NewBookDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NewBookDialog(host::MessageBoxes& boxes, QWidget* parent = nullptr);

  // The created book's location, after the dialog was accepted.
  [[nodiscard]] QString location() const;
  // Creates the book; on a refusal tells why and stays open.
  void accept() override;

 private:
  void chooseFile();
  void chooseChart();
  void chooseChartFile();
  [[nodiscard]] NewBookForm form() const;

  host::MessageBoxes& boxes_;
  QLineEdit* location_;
  QLineEdit* company_;
  QDateEdit* start_;
  QComboBox* chart_;
  QLineEdit* chartFile_;
  QPushButton* chartBrowse_;
  QLineEdit* codeStructure_;
  QComboBox* scheme_;
  QCheckBox* needCarryPL_;
};

}  // namespace qj::desktop
