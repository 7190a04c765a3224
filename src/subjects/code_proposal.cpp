#include "subjects/code_proposal.h"

#include "data/period.h"

namespace qj::subjects {

std::string FirstSegment(int width) { return IntToStr(1, width); }

std::optional<std::string> NextSegment(const std::string& segment) {
  if (segment.empty() || segment.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (char c : segment) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  std::string next = IntToStr(value + 1, static_cast<int>(segment.size()));
  if (next.size() > segment.size()) return std::nullopt;
  return next;
}

}  // namespace qj::subjects
