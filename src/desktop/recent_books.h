// The books a user opened lately, most recent first, as the log-in dialog offers them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qj::desktop {

class RecentBooks {
 public:
  static constexpr std::size_t kLimit = 8;

  // The list as it was stored; blanks and repeats are dropped, the rest cut to the limit.
  explicit RecentBooks(const std::vector<std::string>& stored = {});
  // Puts a book that was just opened at the front.
  void opened(const std::string& location);
  [[nodiscard]] const std::vector<std::string>& locations() const { return locations_; }

 private:
  std::vector<std::string> locations_;
};

}  // namespace qj::desktop
