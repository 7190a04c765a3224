#include "base/code_structure.h"

#include "hostapi/refusal.h"

#include <stdexcept>

namespace qj::base {

namespace {
constexpr int kMaxCodeLength = 18;
constexpr int kMaxLevels = 9;
}  // namespace

CodeStructure CodeStructure::FromSegments(const std::vector<int>& segments) {
  if (segments.empty() || static_cast<int>(segments.size()) > kMaxLevels)
    throw RefusalError(ErrorRefusal("科目级数应为 1 到 9 级"));
  std::vector<int> lengths;
  int total = 0;
  for (int segment : segments) {
    if (segment < 1 || segment > 9) throw RefusalError(ErrorRefusal("每级科目编码长度应为 1 到 9 位"));
    total += segment;
    lengths.push_back(total);
  }
  if (total > kMaxCodeLength) throw RefusalError(ErrorRefusal("科目编码总长度不能超过 18 位"));
  return CodeStructure(std::move(lengths));
}

int CodeStructure::levelOf(const std::string& code) const {
  for (std::size_t k = 0; k < lengths_.size(); ++k)
    if (static_cast<int>(code.size()) == lengths_[k]) return static_cast<int>(k) + 1;
  return 0;
}

std::string CodeStructure::parentOf(const std::string& code) const {
  const int level = levelOf(code);
  if (level < 2) return code;
  return code.substr(0, static_cast<std::size_t>(lengths_[static_cast<std::size_t>(level) - 2]));
}

int CodeStructure::segmentWidth(int level) const {
  if (level < 1 || level > levels()) return 0;
  const auto index = static_cast<std::size_t>(level) - 1;
  return lengths_[index] - (index == 0 ? 0 : lengths_[index - 1]);
}

bool CodeStructure::isLowestLevel(const std::string& code) const {
  return !lengths_.empty() && static_cast<int>(code.size()) == lengths_.back();
}

std::string CodeStructure::describe() const {
  std::string out;
  int previous = 0;
  for (int length : lengths_) {
    if (!out.empty()) out += "-";
    out += std::to_string(length - previous);
    previous = length;
  }
  return out;
}

}  // namespace qj::base
