// The benchmarks' chart of 3,120 subjects on four levels (3-2-2-2): level-1
// subjects 100 to 119, each with five sub-accounts down to level 4, whose
// 2,500 codes are the detail subjects.
#pragma once

#include <string>
#include <vector>

#include "data/connection.h"
#include "data/period.h"

namespace qj::bench {

struct FourLevelChart {
  std::vector<std::string> all;      // every code, in code order
  std::vector<std::string> details;  // the level-4 codes
};

inline FourLevelChart AddFourLevelChart(data::Connection& db) {
  FourLevelChart chart;
  const auto add = [&](const std::string& code, bool detail) {
    db.execute("INSERT INTO Subject (SUBJECTID, NAME, DCFLAG, DETAILFLAG) VALUES (:c, :n, 'T', :d)",
               {{"c", code}, {"n", "科目" + code}, {"d", detail ? "T" : "F"}});
    chart.all.push_back(code);
    if (detail) chart.details.push_back(code);
  };
  for (int top = 100; top < 120; ++top) {
    const std::string first = std::to_string(top);
    add(first, false);
    for (int a = 1; a <= 5; ++a) {
      const std::string second = first + IntToStr(a, 2);
      add(second, false);
      for (int b = 1; b <= 5; ++b) {
        const std::string third = second + IntToStr(b, 2);
        add(third, false);
        for (int c = 1; c <= 5; ++c) add(third + IntToStr(c, 2), true);
      }
    }
  }
  return chart;
}

}  // namespace qj::bench
