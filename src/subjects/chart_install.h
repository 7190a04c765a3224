// A starting chart of accounts written as a list of entries, and how a book
// gets it: level-1 codes as written, sub-accounts numbered in order by the
// book's segment widths, levels the book lacks left out.
#pragma once

#include <span>

#include "base/code_structure.h"
#include "data/connection.h"

namespace qj::subjects {

// Protection bits, set for both settings of the book's subject-rule flag.
inline constexpr int kChartKeep = 2 | 32;                   // may not be deleted
inline constexpr int kChartKeepLeaf = kChartKeep | 4 | 64;  // nor get sub-accounts

struct ChartEntry {
  int depth;         // 1 for a level-1 subject; sub-accounts follow their parent
  const char* code;  // level 1 only: sub-accounts are numbered in order
  const char* name;
  bool debit;  // balance direction: true debit, false credit
  int attr = 0;
  bool cash = false;
  int reserved = -1;  // the reserved-subject entry pointing at it
};

// Fills Subject with the entries and points the reserved-subject entries at
// their subjects. Runs in the caller's transaction; the level-1 codes must fit
// the structure.
void InstallChart(data::Connection& db, const base::CodeStructure& structure, std::span<const ChartEntry> entries);

}  // namespace qj::subjects
