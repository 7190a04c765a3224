#include "periodend/subject_numbers.h"

#include <functional>
#include <utility>

namespace qj::periodend {
namespace {

std::uint64_t hashOf(std::string_view code) { return std::hash<std::string_view>{}(code); }
std::uint32_t highOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

}  // namespace

std::size_t SubjectNumbers::numberOf(std::string_view code) {
  // At most half full, so a probe meets an empty slot soon.
  if (2 * (codes_.size() + 1) > slots_.size()) grow();
  const std::uint64_t hash = hashOf(code);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    Slot& slot = slots_[at];
    if (slot.numberPlusOne == 0) {
      codes_.emplace_back(code);
      slot = {static_cast<std::uint32_t>(codes_.size()), highOf(hash)};
      return codes_.size() - 1;
    }
    if (slot.hashHigh == highOf(hash) && codes_[slot.numberPlusOne - 1] == code) return slot.numberPlusOne - 1;
  }
}

void SubjectNumbers::grow() {
  std::vector<Slot> slots(slots_.empty() ? 1024 : 2 * slots_.size());
  const std::size_t mask = slots.size() - 1;
  for (std::size_t number = 0; number < codes_.size(); ++number) {
    const std::uint64_t hash = hashOf(codes_[number]);
    std::size_t at = hash & mask;
    while (slots[at].numberPlusOne != 0) at = (at + 1) & mask;
    slots[at] = {static_cast<std::uint32_t>(number + 1), highOf(hash)};
  }
  slots_ = std::move(slots);
}

}  // namespace qj::periodend
