// The subject chooser other screens open ("SubjectInfo_Frm"): the chart tree
// by class, a search over codes, help codes and names, and the chosen code.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "subjects/subject_tree.h"

namespace qj::subjects {

class SubjectChooserModel {
 public:
  static constexpr const char* kScreenName = "SubjectInfo_Frm";
  static constexpr const char* kCaption = "选择会计科目";

  // Reads every class; opens on the assets class with its first node selected.
  explicit SubjectChooserModel(HostServices& host);

  void showClass(int classDigit);
  [[nodiscard]] int shownClass() const { return shownClass_; }
  [[nodiscard]] const SubjectTree& tree() const { return charts_[index(shownClass_)].tree; }
  void select(const std::string& code);
  [[nodiscard]] const std::string& selected() const { return selected_; }

  // The search box: subjects whose code or help code begins with the text, or
  // whose name contains it, in code order; the first is selected, its class shown.
  void setSearch(std::string text);
  [[nodiscard]] const std::string& search() const { return search_; }
  [[nodiscard]] const std::vector<std::string>& matches() const { return matches_; }
  // Moves the selection to the next match, after the last back to the first.
  void nextMatch();

  enum class Key { Enter, Escape, F3 };
  // Enter confirms, Escape cancels, F3 goes to the next match.
  void keyPressed(Key key);
  // OK: the selected code becomes the result; without a selection the user is told.
  bool confirm();
  void cancel() { result_.reset(); }
  // The chosen code after a confirmation.
  [[nodiscard]] const std::optional<std::string>& result() const { return result_; }

 private:
  static std::size_t index(int classDigit) { return static_cast<std::size_t>(classDigit - 1); }
  void selectMatch(std::size_t match);

  HostServices& host_;
  std::array<ClassChart, 5> charts_;
  int shownClass_ = 1;
  std::string selected_;
  std::string search_;
  std::vector<std::string> matches_;
  std::size_t match_ = 0;
  std::optional<std::string> result_;
};

}  // namespace qj::subjects
