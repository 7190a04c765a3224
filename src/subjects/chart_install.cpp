#include "subjects/chart_install.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "data/period.h"
#include "subjects/subject.h"
#include "subjects/subject_store.h"

namespace qj::subjects {

void InstallChart(data::Connection& db, const base::CodeStructure& structure, std::span<const ChartEntry> entries) {
  std::vector<Subject> subjects;
  std::vector<int> numbered;      // sub-accounts numbered so far, by subject
  std::vector<std::size_t> path;  // the entry's ancestors in `subjects`, level 1 first
  std::vector<std::pair<int, std::string>> reserved;
  int skippedDepth = 0;  // an entry left out takes its sub-accounts with it
  for (const ChartEntry& entry : entries) {
    if (skippedDepth != 0 && entry.depth > skippedDepth) continue;
    skippedDepth = 0;
    path.resize(static_cast<std::size_t>(entry.depth - 1));
    Subject subject;
    if (entry.depth == 1) {
      subject.code = entry.code;
      subject.specialLevelCode = std::stoi(entry.code);
    } else {
      const std::size_t parent = path.back();
      const int width = structure.segmentWidth(entry.depth);
      const std::string segment = IntToStr(++numbered[parent], width);
      if (width == 0 || static_cast<int>(segment.size()) != width) {
        skippedDepth = entry.depth;  // the book lacks the level, or its segment is too narrow
        continue;
      }
      subjects[parent].detail = false;
      subject.code = subjects[parent].code + segment;
    }
    subject.name = entry.name;
    subject.debit = entry.debit;
    subject.attrFlag = entry.attr;
    subject.cashFlow = entry.cash;
    if (entry.reserved >= 0) reserved.emplace_back(entry.reserved, subject.code);
    path.push_back(subjects.size());
    subjects.push_back(std::move(subject));
    numbered.push_back(0);
  }
  for (const Subject& subject : subjects) InsertSubject(db, subject);
  for (const auto& [entry, code] : reserved) InsertReservedSubject(db, entry, code);
}

}  // namespace qj::subjects
