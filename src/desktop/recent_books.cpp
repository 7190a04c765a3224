#include "desktop/recent_books.h"

#include <algorithm>

namespace qj::desktop {

RecentBooks::RecentBooks(const std::vector<std::string>& stored) {
  for (const std::string& location : stored) {
    if (location.empty() || std::find(locations_.begin(), locations_.end(), location) != locations_.end()) continue;
    if (locations_.size() == kLimit) break;
    locations_.push_back(location);
  }
}

void RecentBooks::opened(const std::string& location) {
  if (location.empty()) return;
  std::erase(locations_, location);
  locations_.insert(locations_.begin(), location);
  if (locations_.size() > kLimit) locations_.resize(kLimit);
}

}  // namespace qj::desktop
