// The tree the chart screens show for one class: subjects read in code order,
// each placed by the length of its code relative to the node before it.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "hostapi/host_services.h"
#include "subjects/subject.h"

namespace qj::subjects {

struct TreeNode {
  std::string code;
  std::string name;
  std::string helpCode;
  int parent = -1;  // index of the parent node; -1 for a top node
  std::vector<int> children;

  // What the node shows: the code and the name.
  [[nodiscard]] std::string label() const { return code + " " + name; }
};

class SubjectTree {
 public:
  SubjectTree() = default;
  // A code longer than the previous node's becomes its child, one of equal
  // length its sibling, a shorter one the sibling of the nearest ancestor of
  // equal length; a code that fits nowhere is left out and listed in misfits().
  static SubjectTree Build(const std::vector<Subject>& subjects);

  [[nodiscard]] const std::vector<TreeNode>& nodes() const { return nodes_; }
  [[nodiscard]] const std::vector<int>& roots() const { return roots_; }
  [[nodiscard]] bool empty() const { return nodes_.empty(); }
  [[nodiscard]] std::optional<int> find(const std::string& code) const;
  [[nodiscard]] const std::vector<std::string>& misfits() const { return misfits_; }

 private:
  std::vector<TreeNode> nodes_;
  std::vector<int> roots_;
  std::unordered_map<std::string, int> index_;
  std::vector<std::string> misfits_;
};

// One class of the book's chart: its subjects in code order and their tree.
struct ClassChart {
  std::vector<Subject> subjects;
  SubjectTree tree;
};
// Misfitting codes are reported to the user with "科目错误" (caption "信息").
ClassChart LoadClassChart(HostServices& host, int classDigit);

}  // namespace qj::subjects
