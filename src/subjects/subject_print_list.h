// The rows the chart's print list hands to the printing layer.
#pragma once

#include <string>
#include <vector>

#include "subjects/subject.h"

namespace qj::subjects {

struct PrintList {
  // "科目编码", "科目名称", "余额方向", "是否核算外币", "是否核算现金流量", "助记码".
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
};

PrintList SubjectPrintList(const std::vector<Subject>& subjects);

}  // namespace qj::subjects
