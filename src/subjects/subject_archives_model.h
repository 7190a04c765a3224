// The chart-of-accounts maintenance screen ("frmSubject1"): one class at a
// time as a tree, with add sibling, add child, modify, delete and print.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "subjects/subject_dialog_model.h"
#include "subjects/subject_print_list.h"
#include "subjects/subject_tree.h"

namespace qj::subjects {

class SubjectArchivesModel {
 public:
  static constexpr const char* kScreenName = "frmSubject1";
  static constexpr const char* kCaption = "会计科目";

  // Opens on the assets class with its first node selected.
  explicit SubjectArchivesModel(HostServices& host);

  // The class tabs: 1 资产 to 5 损益.
  void showClass(int classDigit);
  [[nodiscard]] int shownClass() const { return shownClass_; }
  [[nodiscard]] const SubjectTree& tree() const { return chart_.tree; }
  // A node's code, or "" for none.
  void select(const std::string& code);
  [[nodiscard]] const std::string& selected() const { return selected_; }

  // The buttons; an add or modify that passes its checks opens the dialog.
  void addSibling();
  void addChild();
  void modify();
  void remove();
  enum class Key { Insert, Delete, Enter };
  // Insert adds a sibling, Delete deletes, Enter modifies.
  void keyPressed(Key key);

  // The open add or modify dialog, if any.
  [[nodiscard]] SubjectDialogModel* dialog() { return dialog_ ? &*dialog_ : nullptr; }
  // The dialog's OK: a saved subject closes the dialog and is selected in the tree.
  void confirmDialog();
  void cancelDialog() { dialog_.reset(); }

  // The print list of the shown class (privilege 8, action 6); nothing without it.
  [[nodiscard]] std::optional<PrintList> printList();

 private:
  void reload(const std::string& select);

  HostServices& host_;
  int shownClass_ = 1;
  ClassChart chart_;
  std::string selected_;
  std::optional<SubjectDialogModel> dialog_;
};

}  // namespace qj::subjects
