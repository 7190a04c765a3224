// "设计打印模板": the editing of one print template, without any display. The
// dialog shows its state and forwards the user's edits to it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "printing/data_set.h"
#include "printing/print_template.h"

namespace qj::printing {

class TemplateEditorModel {
 public:
  // `fields` are the columns of the list the template is for.
  TemplateEditorModel(StoredTemplate start, std::vector<Column> fields);

  [[nodiscard]] const StoredTemplate& edited() const { return edited_; }
  [[nodiscard]] const std::vector<Column>& fields() const { return fields_; }
  // The list's columns the template does not show yet, in the list's order.
  [[nodiscard]] std::vector<Column> unusedFields() const;
  // The header and footer lines as the text of a multi-line edit.
  [[nodiscard]] std::string headerText() const;
  [[nodiscard]] std::string footerText() const;

  // What keeps the template from being saved, one Chinese sentence each; empty when it may be.
  [[nodiscard]] std::vector<std::string> problems() const;
  [[nodiscard]] bool valid() const { return problems().empty(); }

  void setName(std::string name) { edited_.name = std::move(name); }
  void setTitle(std::string title) { edited_.layout.title = std::move(title); }
  void setOrientation(Orientation orientation) { edited_.layout.orientation = orientation; }
  void setRowsPerPage(int rows) { edited_.layout.rowsPerPage = rows; }
  // One line per text line; blank lines at the end are dropped.
  void setHeaderText(const std::string& text);
  void setFooterText(const std::string& text);

  // Appends a column for a field of the list with the field's heading and width;
  // false when the field is not the list's or is shown already.
  bool addColumn(const std::string& field);
  // Index arguments out of range change nothing.
  void removeColumn(std::size_t index);
  void moveColumn(std::size_t from, std::size_t to);
  void setColumnHeading(std::size_t index, std::string heading);
  void setColumnWidth(std::size_t index, int widthMm);
  void setColumnAlignment(std::size_t index, Alignment alignment);

 private:
  [[nodiscard]] const Column* field(const std::string& name) const;
  [[nodiscard]] bool shown(const std::string& name) const;
  [[nodiscard]] TemplateColumn* column(std::size_t index);

  StoredTemplate edited_;
  std::vector<Column> fields_;
};

}  // namespace qj::printing
