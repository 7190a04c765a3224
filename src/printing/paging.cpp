#include "printing/paging.h"

#include <algorithm>

namespace qj::printing {

std::vector<PageRows> Paginate(const PageLayout& layout, std::size_t rowCount, bool hasTotals) {
  const auto perPage = static_cast<std::size_t>(std::max(layout.rowsPerPage, 1));
  std::vector<PageRows> pages;
  for (std::size_t first = 0; first < rowCount; first += perPage) {
    pages.push_back({first, std::min(perPage, rowCount - first), false});
  }
  if (pages.empty()) pages.push_back({});
  if (hasTotals) {
    if (pages.back().rowCount < static_cast<std::size_t>(layout.linesPerPage)) {
      pages.back().totals = true;
    } else {
      pages.push_back({rowCount, 0, true});
    }
  }
  return pages;
}

}  // namespace qj::printing
