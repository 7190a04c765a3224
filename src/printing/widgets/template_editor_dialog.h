// "设计打印模板": the dialog that shows a TemplateEditorModel and forwards the
// user's edits to it.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "data/connection.h"
#include "printing/template_editor_model.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace qj::printing {

class TemplateEditorDialog : public QDialog {
  Q_OBJECT

 public:
  // Stores the edited template (setting its id) or throws with a Chinese message.
  using Saver = std::function<void(StoredTemplate&)>;

  TemplateEditorDialog(TemplateEditorModel model, Saver save, QWidget* parent = nullptr);

  [[nodiscard]] const TemplateEditorModel& model() const { return model_; }
  // The template as stored, once 保存 succeeded.
  [[nodiscard]] const std::optional<StoredTemplate>& saved() const { return saved_; }

 private:
  void buildColumnArea(QWidget* area);
  void showColumns(int selectedRow);
  void showProblems();
  void addColumn();
  void moveSelected(int offset);
  void save();

  TemplateEditorModel model_;
  Saver save_;
  std::optional<StoredTemplate> saved_;

  QLineEdit* name_ = nullptr;
  QLineEdit* title_ = nullptr;
  QComboBox* orientation_ = nullptr;
  QSpinBox* rowsPerPage_ = nullptr;
  QTableWidget* columns_ = nullptr;
  QComboBox* unusedFields_ = nullptr;
  QPlainTextEdit* header_ = nullptr;
  QPlainTextEdit* footer_ = nullptr;
  QLabel* problems_ = nullptr;
  QPushButton* saveButton_ = nullptr;
};

}  // namespace qj::printing
