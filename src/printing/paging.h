// Which rows of a list go on which printed page.
#pragma once

#include <cstddef>
#include <vector>

#include "printing/page_layout.h"

namespace qj::printing {

struct PageRows {
  std::size_t firstRow = 0;
  std::size_t rowCount = 0;
  bool totals = false;  // the totals line is printed after this page's rows

  friend bool operator==(const PageRows&, const PageRows&) = default;
};

// The pages of a list of `rowCount` rows: layout.rowsPerPage rows a page, the
// totals line (when there is one) after the last row — on the last page when a
// grid line is free there, else on a page of its own. An empty list still gets
// one page with its headings.
std::vector<PageRows> Paginate(const PageLayout& layout, std::size_t rowCount, bool hasTotals);

}  // namespace qj::printing
