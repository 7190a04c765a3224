#include "subjects/subject_tree.h"

#include "subjects/subject_store.h"

namespace qj::subjects {

SubjectTree SubjectTree::Build(const std::vector<Subject>& subjects) {
  SubjectTree tree;
  tree.nodes_.reserve(subjects.size());
  int previous = -1;
  for (const Subject& subject : subjects) {
    const std::size_t length = subject.code.size();
    int parent = -1;
    if (previous >= 0) {
      const TreeNode& before = tree.nodes_[static_cast<std::size_t>(previous)];
      if (length > before.code.size()) {
        parent = previous;
      } else {
        int sibling = previous;
        while (sibling >= 0 && tree.nodes_[static_cast<std::size_t>(sibling)].code.size() != length)
          sibling = tree.nodes_[static_cast<std::size_t>(sibling)].parent;
        if (sibling < 0) {
          tree.misfits_.push_back(subject.code);
          continue;
        }
        parent = tree.nodes_[static_cast<std::size_t>(sibling)].parent;
      }
    }
    const int index = static_cast<int>(tree.nodes_.size());
    tree.nodes_.push_back({subject.code, subject.name, subject.helpCode, parent, {}});
    if (parent < 0)
      tree.roots_.push_back(index);
    else
      tree.nodes_[static_cast<std::size_t>(parent)].children.push_back(index);
    tree.index_.emplace(subject.code, index);
    previous = index;
  }
  return tree;
}

std::optional<int> SubjectTree::find(const std::string& code) const {
  const auto it = index_.find(code);
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

ClassChart LoadClassChart(HostServices& host, int classDigit) {
  ClassChart chart;
  chart.subjects = ClassSubjects(host.FindStartupDB(), classDigit);
  chart.tree = SubjectTree::Build(chart.subjects);
  if (!chart.tree.misfits().empty()) {
    std::string codes;
    for (const auto& code : chart.tree.misfits()) codes += (codes.empty() ? "" : "、") + code;
    host.ShowMsgBox("科目错误：" + codes, "信息", msgbox::IconWarning);
  }
  return chart;
}

}  // namespace qj::subjects
