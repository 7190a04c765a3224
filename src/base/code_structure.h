// The hierarchy of subject codes: level k holds codes of cumulative length SubjectLevelLen[k].
#pragma once

#include <string>
#include <vector>

namespace qj::base {

class CodeStructure {
 public:
  // Cumulative code length of each level, level 1 first (3, 5, 7, 9 for 3-2-2-2).
  explicit CodeStructure(std::vector<int> cumulativeLengths) : lengths_(std::move(cumulativeLengths)) {}
  // From segment lengths ("3,2,2,2" style input), validated: 1 to 9 levels,
  // each segment 1 to 9 characters, at most 18 characters in all.
  // Throws RefusalError otherwise.
  static CodeStructure FromSegments(const std::vector<int>& segments);

  [[nodiscard]] int levels() const { return static_cast<int>(lengths_.size()); }
  [[nodiscard]] const std::vector<int>& cumulativeLengths() const { return lengths_; }
  // The level of a code, 0 when its length matches no level.
  [[nodiscard]] int levelOf(const std::string& code) const;
  // The code cut to the length of the level above; a code on level 1 or 0 is its own parent.
  [[nodiscard]] std::string parentOf(const std::string& code) const;
  // The width of a level's own segment (the whole code on level 1); 0 for a level the book lacks.
  [[nodiscard]] int segmentWidth(int level) const;
  // Whether a code has the length of the lowest level, so it cannot have sub-accounts.
  [[nodiscard]] bool isLowestLevel(const std::string& code) const;
  // The segment lengths joined by "-" ("3-2-2-2").
  [[nodiscard]] std::string describe() const;

 private:
  std::vector<int> lengths_;
};

}  // namespace qj::base
