// Dense numbers for the subject codes met in a pass over many lines: each
// line's code is hashed once, and what the pass keeps per subject is kept in
// vectors indexed by the number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qj::periodend {

class SubjectNumbers {
 public:
  // The number of `code`: 0, 1, 2... in order of first sight.
  std::size_t numberOf(std::string_view code);
  [[nodiscard]] const std::string& code(std::size_t number) const { return codes_[number]; }
  [[nodiscard]] std::size_t size() const { return codes_.size(); }

 private:
  // Open addressing over a power-of-two table: a slot holds a number plus one
  // (0 when empty) and the high bits of its code's hash.
  struct Slot {
    std::uint32_t numberPlusOne = 0;
    std::uint32_t hashHigh = 0;
  };
  void grow();

  std::vector<std::string> codes_;
  std::vector<Slot> slots_;
};

}  // namespace qj::periodend
